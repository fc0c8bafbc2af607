#include "DecodeImage.h"

#include "settings/FieldTable.h"

#include <cmath>
#include <cstddef>
#include <string_view>

namespace korvel::sim {
namespace {

constexpr std::uint8_t kGpslessInterval = 252;
constexpr std::uint8_t kAlternateTable = '\\';

// A seven-byte address entry: callsign (spaces dropped) and SSID, "NOCALL-9".
std::string Address(const ReceivedImage& image, std::size_t offset) {
    std::string call(reinterpret_cast<const char*>(&image[offset]), 6);
    const auto first = call.find_first_not_of(' ');
    const auto last = call.find_last_not_of(' ');
    call = first == std::string::npos ? "" : call.substr(first, last - first + 1);
    const int ssid = image[offset + 6] - '0';
    return ssid == 0 ? call : call + "-" + std::to_string(ssid);
}

// A 0-terminated text from `offset`, never reading past `end`.
std::string Text(const ReceivedImage& image, std::size_t offset, std::size_t end) {
    std::string text;
    for (std::size_t i = offset; i < end && image[i] != 0; ++i) {
        text += static_cast<char>(image[i]);
    }
    return text;
}

std::string Path(const ReceivedImage& image) {
    if (image[30] == 0) {
        return "(none)";
    }
    std::string path = Address(image, 30);
    if (image[37] != 0) {
        path += "," + Address(image, 37);
    }
    return path;
}

std::string Seconds(std::uint8_t units) {
    return std::to_string(units * 10) + " s";
}

std::string Flag(bool set) {
    return set ? "1 (on)" : "0 (off)";
}

std::string MicE(std::uint8_t flags) {
    const std::size_t index = flags & 0x0F;
    return index < kMicEEntries.size() ? std::string(kMicEEntries[index])
                                       : "entry " + std::to_string(index) + " (unknown)";
}

std::string Value(const ReceivedImage& image, Field field) {
    switch (field) {
    case Field::edNumFlagsAuto:
        return std::to_string(std::lround(std::nearbyint(image[0] / 0.15))) + " ms";
    case Field::edMsgRepeat:
        return std::to_string(image[1]);
    case Field::cbMicEMsg:
        return MicE(image[2]);
    case Field::chkAutoReply:
        return Flag(image[2] & 0x10);
    case Field::edSymbol:
        return std::string(1, static_cast<char>(image[3]));
    case Field::chkTable:
        return image[4] == kAlternateTable ? "1 (alternate \\)" : "0 (primary /)";
    case Field::edGpsCheckTime:
        return image[5] == kGpslessInterval ? "GPSless mode" : Seconds(image[5]);
    case Field::edManualTime:
        return Seconds(image[13]);
    case Field::edGpsAcqTime:
        return std::to_string(image[14]) + " (" + std::to_string(image[14] / 10) + "." +
               std::to_string(image[14] % 10) + " s)";
    case Field::edBcnEvery:
        return "every " + std::to_string(image[15] & 0x7F) + " transmissions";
    case Field::chkRxPosition:
        return Flag(image[15] & 0x80);
    case Field::edReceiver:
        return Address(image, 16);
    case Field::edMyCall:
        return Address(image, 23);
    case Field::edAprsPath:
        return Path(image);
    case Field::edBeacon:
        return Text(image, 45, 72);
    case Field::edDestCall:
        return Address(image, 72);
    case Field::edAprsMsg:
        return Text(image, 79, image.size());
    default:
        break;
    }
    for (std::size_t band = 0; band < kSpeedBands; ++band) {
        if (field == SpeedTableField(band)) {
            return Seconds(image[6 + band]);
        }
    }
    return {};
}

} // namespace

DecodedImage DecodeImage(const ReceivedImage& image) {
    DecodedImage decoded;
    for (const FieldTraits& traits : AllFields()) {
        if (traits.field != Field::edComm) {
            decoded.fields.push_back({traits.field, Value(image, traits.field)});
        }
    }
    decoded.gpsless = image[14] == 0 || image[5] == kGpslessInterval;
    return decoded;
}

} // namespace korvel::sim
