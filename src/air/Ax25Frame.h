#pragma once

#include "advisor/SentAddress.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace korvel {

// The bytes of an AX.25 UI frame between its two flags: destination, source and
// digipeater addresses (seven bytes each: six characters shifted left one bit,
// then the SSID byte, the last one with its extension bit), control 0x03, PID
// 0xF0, the information field and the FCS, low byte first.
std::vector<std::uint8_t> UiFrameBytes(const SentAddress& destination, const SentAddress& source,
                                       std::span<const SentAddress> path, std::string_view info);

// The frame check sequence of AX.25: CRC-16-CCITT, reflected polynomial 0x8408,
// start 0xFFFF, the result inverted.
std::uint16_t Ax25Fcs(std::span<const std::uint8_t> bytes);

// The bits one transmission of `frame` (the bytes between the flags, FCS
// included) takes on the air: the opening flag, the frame's bits with a 0
// stuffed after every five 1s in a row (least significant bit first), and the
// closing flag.
int BitsOnAir(std::span<const std::uint8_t> frame);

} // namespace korvel
