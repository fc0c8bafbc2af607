#include "cli/ImageInput.h"

#include "transfer/Checksum.h"
#include "transfer/Frames.h"

#include <cctype>
#include <cstdio>
#include <span>
#include <vector>

namespace korvel::cli {
namespace {

bool IsHexText(std::string_view input) {
    bool digits = false;
    for (const char c : input) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isxdigit(u)) {
            digits = true;
        } else if (!std::isspace(u)) {
            return false;
        }
    }
    return digits;
}

Result<std::vector<std::uint8_t>, std::string> FromHex(std::string_view input) {
    std::string digits;
    for (const char c : input) {
        if (std::isxdigit(static_cast<unsigned char>(c))) {
            digits += c;
        }
    }
    if (digits.size() % 2 != 0) {
        return Failure{"an odd number of hex digits (" + std::to_string(digits.size()) +
                       "): the last byte is cut short"};
    }
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string Hex(unsigned byte) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// Checks the markers and checksums of the line form and takes the image out.
Result<ConfigImage, std::string> FromLine(const std::vector<std::uint8_t>& line) {
    ConfigImage image{};
    std::size_t at = 0;
    for (std::size_t half = 0; half < 2; ++half) {
        for (std::size_t i = 0; i < kStartMarker.size(); ++i, ++at) {
            if (line[at] != kStartMarker[i]) {
                return Failure{"byte " + std::to_string(at) + " of the line is " + Hex(line[at]) +
                               ", not the start marker 0xFF"};
            }
        }
        const std::span<const std::uint8_t> bytes(line.data() + at, kHalfSize);
        const std::size_t sumAt = at + kHalfSize;
        if (const std::uint8_t sum = FrameChecksum(bytes); line[sumAt] != sum) {
            return Failure{"byte " + std::to_string(sumAt) +
                           " of the line, the checksum of frame " + (half == 0 ? "A" : "B") +
                           ", is " + Hex(line[sumAt]) + "; the frame's bytes give " + Hex(sum)};
        }
        std::copy(bytes.begin(), bytes.end(), image.begin() + half * kHalfSize);
        at = sumAt + 1;
    }
    return image;
}

} // namespace

Result<ConfigImage, std::string> ImageFromInput(std::string_view input) {
    std::vector<std::uint8_t> bytes(input.begin(), input.end());
    if (IsHexText(input)) {
        auto hex = FromHex(input);
        if (!hex) {
            return Failure{std::move(hex).error()};
        }
        bytes = std::move(hex).value();
    }
    if (bytes.size() == kTransferBytes) {
        return FromLine(bytes);
    }
    if (bytes.size() != kImageSize) {
        return Failure{std::to_string(bytes.size()) + " bytes: an image is " +
                       std::to_string(kImageSize) + " bytes, or " + std::to_string(kTransferBytes) +
                       " as they go on the line"};
    }
    ConfigImage image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

} // namespace korvel::cli
