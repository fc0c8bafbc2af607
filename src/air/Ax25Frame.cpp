#include "air/Ax25Frame.h"

namespace korvel {
namespace {

constexpr std::uint8_t kControlUi = 0x03;
constexpr std::uint8_t kNoLayer3 = 0xF0;
constexpr int kFlagBits = 8;
constexpr int kOnesBeforeStuffing = 5;

// The SSID byte: the reserved bits set (0x60), the SSID in bits 1 to 4, the
// extension bit on the last address. The destination of a command frame also
// carries its C bit (0x80), as AX.25 2.x sends a UI frame.
void PutAddress(std::vector<std::uint8_t>& bytes, const SentAddress& address, bool commandBit,
                bool last) {
    for (std::size_t i = 0; i < 6; ++i) {
        const char c = i < address.callsign.size() ? address.callsign[i] : ' ';
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) << 1));
    }
    const int ssidByte =
        0x60 | (commandBit ? 0x80 : 0) | ((address.ssid & 0x0F) << 1) | (last ? 1 : 0);
    bytes.push_back(static_cast<std::uint8_t>(ssidByte));
}

} // namespace

std::uint16_t Ax25Fcs(std::span<const std::uint8_t> bytes) {
    std::uint16_t crc = 0xFFFF;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8408)
                            : static_cast<std::uint16_t>(crc >> 1);
        }
    }
    return static_cast<std::uint16_t>(~crc);
}

std::vector<std::uint8_t> UiFrameBytes(const SentAddress& destination, const SentAddress& source,
                                       std::span<const SentAddress> path, std::string_view info) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(7 * (2 + path.size()) + 2 + info.size() + 2);
    PutAddress(bytes, destination, true, false);
    PutAddress(bytes, source, false, path.empty());
    for (std::size_t i = 0; i < path.size(); ++i) {
        PutAddress(bytes, path[i], false, i + 1 == path.size());
    }
    bytes.push_back(kControlUi);
    bytes.push_back(kNoLayer3);
    bytes.insert(bytes.end(), info.begin(), info.end());
    const std::uint16_t fcs = Ax25Fcs(bytes);
    bytes.push_back(static_cast<std::uint8_t>(fcs & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(fcs >> 8));
    return bytes;
}

int BitsOnAir(std::span<const std::uint8_t> frame) {
    int bits = 2 * kFlagBits;
    int ones = 0;
    for (const std::uint8_t byte : frame) {
        for (int bit = 0; bit < 8; ++bit) {
            ++bits;
            if (((byte >> bit) & 1) == 0) {
                ones = 0;
            } else if (++ones == kOnesBeforeStuffing) {
                ++bits; // the stuffed 0
                ones = 0;
            }
        }
    }
    return bits;
}

} // namespace korvel
