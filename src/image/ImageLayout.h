#pragma once

#include <cstddef>

namespace korvel::offset {

// Where each setting stands in the configuration image: the offset of its
// first byte. The address entries take 7 bytes, the two texts up to 27 and 35
// with their closing 0; every byte that no setting takes stays 0.
inline constexpr std::size_t kTxDelay = 0;
inline constexpr std::size_t kMessageRetries = 1;
inline constexpr std::size_t kMessageFlags = 2;
inline constexpr std::size_t kSymbolCode = 3;
inline constexpr std::size_t kSymbolTable = 4;
inline constexpr std::size_t kGpsInterval = 5;
inline constexpr std::size_t kSpeedTable = 6; // 7 bytes, slowest band first
inline constexpr std::size_t kManualInterval = 13;
inline constexpr std::size_t kGpsTimeout = 14;
inline constexpr std::size_t kStatusRate = 15;
inline constexpr std::size_t kDestination = 16;
inline constexpr std::size_t kSource = 23;
inline constexpr std::size_t kFirstDigipeater = 30;
inline constexpr std::size_t kSecondDigipeater = 37;
inline constexpr std::size_t kStatusText = 45;
inline constexpr std::size_t kAddressee = 72;
inline constexpr std::size_t kMessageText = 79;

} // namespace korvel::offset
