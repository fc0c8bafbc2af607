#include "settingsfile/SettingsFileWriter.h"

#include "settingsfile/FileNumbers.h"
#include "settingsfile/SettingsFileLayout.h"

#include <algorithm>
#include <limits>
#include <variant>
#include <vector>

namespace korvel {
namespace {

// One value of a line: a text (quoted) or a number.
using LineValue = std::variant<std::string, long long>;

// The text between double quotes, each double quote of it doubled, so that a
// quote followed by a comma cannot end the text early.
void AppendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

void AppendLine(std::string& out, const std::vector<LineValue>& values) {
    bool first = true;
    for (const LineValue& value : values) {
        if (!first) {
            out += ',';
        }
        first = false;
        if (const auto* text = std::get_if<std::string>(&value)) {
            AppendQuoted(out, *text);
        } else {
            out += std::to_string(std::get<long long>(value));
        }
    }
    out += "\r\n";
}

std::variant<long long, FieldError> MessageFlags(const DeviceSettings& settings) {
    const long long flags =
        static_cast<long long>(kAutoReplyBit) * settings.value(Field::chkAutoReply) +
        settings.value(Field::cbMicEMsg);
    if (flags < kInt16Min || flags > kInt16Max) {
        return FieldError{Field::cbMicEMsg,
                          "the message flags " + std::to_string(flags) + " do not fit 16 bits"};
    }
    return flags;
}

std::variant<long long, FieldError> StatusRate(const DeviceSettings& settings) {
    const std::string text = settings.text(Field::edBcnEvery);
    const auto interval = StrictWholeNumber(text, std::numeric_limits<std::int32_t>::min(),
                                            std::numeric_limits<std::int32_t>::max());
    if (!interval.value) {
        return FieldError{Field::edBcnEvery, QuotedValue(text) + " is not a number"};
    }
    const long long bits = std::clamp<long long>(*interval.value, 0, kStatusIntervalMask);
    return bits + static_cast<long long>(kRxPositionBit) * settings.value(Field::chkRxPosition);
}

} // namespace

std::optional<FieldError> WriteSettingsFile(const DeviceSettings& settings, std::string& bytes) {
    const auto flags = MessageFlags(settings);
    if (const auto* error = std::get_if<FieldError>(&flags)) {
        return *error;
    }
    const auto rate = StatusRate(settings);
    if (const auto* error = std::get_if<FieldError>(&rate)) {
        return *error;
    }

    std::string out;
    AppendLine(out, {settings.text(Field::edComm), settings.text(Field::edNumFlagsAuto),
                     settings.text(Field::edMsgRepeat), std::get<long long>(flags),
                     settings.text(Field::edSymbol),
                     static_cast<long long>(settings.value(Field::chkTable))});
    for (std::size_t band = 0; band < kSpeedBands; ++band) {
        AppendLine(out, {settings.text(SpeedTableField(band))});
    }
    std::vector<LineValue> line9 = {settings.text(Field::edManualTime), std::get<long long>(rate)};
    for (Field field : kFileLine9Texts) {
        line9.emplace_back(settings.text(field));
    }
    AppendLine(out, line9);

    bytes = std::move(out);
    return std::nullopt;
}

} // namespace korvel
