#include "settingsfile/ApplySettingsFile.h"

#include "settings/FieldRule.h"
#include "settingsfile/FileNumbers.h"
#include "settingsfile/SettingsFileLayout.h"
#include "settingsfile/SettingsFileReader.h"

#include <array>
#include <cstdint>
#include <variant>

namespace korvel {
namespace {

// A value quoted in a message, cut short so that junk cannot flood the message.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) {
        return "'" + std::string(text) + "'";
    }
    return "'" + std::string(text.substr(0, kShown)) + "...'";
}

std::string Where(const FileValue& value) {
    return "line " + std::to_string(value.line) + ", value " + std::to_string(value.position);
}

// Reads the values of the file in groups, counting them for the messages.
class GroupReader {
public:
    explicit GroupReader(std::string_view bytes) : reader_(bytes) {}

    template <std::size_t N> std::optional<std::string> read(std::array<FileValue, N>& values) {
        for (FileValue& value : values) {
            auto next = reader_.next();
            if (const auto* failure = std::get_if<ReadFailure>(&next)) {
                return describe(*failure);
            }
            value = std::move(std::get<FileValue>(next));
            ++count_;
        }
        return std::nullopt;
    }

private:
    std::string describe(const ReadFailure& failure) const {
        if (failure.kind == ReadFailure::Kind::EndOfFile) {
            return "end of file before value " + std::to_string(count_ + 1) + " of " +
                   std::to_string(kFileValueCount);
        }
        return "line " + std::to_string(failure.line) + ", value " +
               std::to_string(failure.position) +
               ": the double quote that opens the text is never closed";
    }

    SettingsFileReader reader_;
    std::size_t count_ = 0;
};

std::variant<long long, std::string> Strict16(const FileValue& value) {
    const StrictResult number = StrictWholeNumber(value.text, kInt16Min, kInt16Max);
    if (number.value) {
        return *number.value;
    }
    const char* why =
        number.failure == StrictFailure::NotANumber ? " is not a number" : " is out of range";
    return Where(value) + ": " + Quoted(value.text) + why;
}

std::variant<std::int32_t, std::string> Lenient32(const FileValue& value) {
    if (const auto number = LenientNumber(value.text)) {
        return *number;
    }
    return Where(value) + ": " + Quoted(value.text) + " is out of range";
}

// The message of a field that refused a value, with a long value cut short.
std::optional<std::string> Refused(const std::optional<FieldError>& error,
                                   std::string_view value = {}) {
    if (!error) {
        return std::nullopt;
    }
    std::string message = error->message();
    const std::string whole = "'" + std::string(value) + "'";
    const std::string shown = Quoted(value);
    if (shown.size() < whole.size()) {
        if (const auto at = message.find(whole); at != std::string::npos) {
            message.replace(at, whole.size(), shown);
        }
    }
    return message;
}

std::optional<std::string> SetText(DeviceSettings& settings, Field field, std::string_view text) {
    return Refused(settings.setText(field, text), text);
}

std::optional<std::string> ApplyLine1(const std::array<FileValue, kFileLine1Values>& v,
                                      DeviceSettings& settings) {
    if (auto e = SetText(settings, Field::edComm, v[0].text)) {
        return e;
    }
    if (auto e = SetText(settings, Field::edNumFlagsAuto, v[1].text)) {
        return e;
    }
    if (auto e = SetText(settings, Field::edMsgRepeat, v[2].text)) {
        return e;
    }
    const auto flags = Strict16(v[3]);
    if (const auto* e = std::get_if<std::string>(&flags)) {
        return *e;
    }
    const auto micE = static_cast<int>(std::get<long long>(flags) & kMicEIndexMask);
    if (auto e = Refused(settings.setValue(Field::cbMicEMsg, micE))) {
        return e;
    }
    // The strict number was whole and in range, so the lenient one is the same.
    const auto autoReply = (std::get<long long>(flags) & kAutoReplyBit) != 0 ? 1 : 0;
    if (auto e = Refused(settings.setValue(Field::chkAutoReply, autoReply))) {
        return e;
    }
    if (auto e = SetText(settings, Field::edSymbol, v[4].text)) {
        return e;
    }
    const auto table = Strict16(v[5]);
    if (const auto* e = std::get_if<std::string>(&table)) {
        return *e;
    }
    return Refused(
        settings.setValue(Field::chkTable, static_cast<int>(std::get<long long>(table))));
}

std::optional<std::string> ApplySpeedTable(const std::array<FileValue, kSpeedBands>& v,
                                           DeviceSettings& settings) {
    for (std::size_t band = 0; band < kSpeedBands; ++band) {
        if (auto e = SetText(settings, SpeedTableField(band), v[band].text)) {
            return e;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ApplyLine9(const std::array<FileValue, kFileLine9Values>& v,
                                      DeviceSettings& settings) {
    if (auto e = SetText(settings, Field::edManualTime, v[0].text)) {
        return e;
    }
    const auto rate = Lenient32(v[1]);
    if (const auto* e = std::get_if<std::string>(&rate)) {
        return *e;
    }
    const std::int32_t n = std::get<std::int32_t>(rate);
    if (auto e = SetText(settings, Field::edBcnEvery, ZeroPadded(n & kStatusIntervalMask, 3))) {
        return e;
    }
    if (auto e =
            Refused(settings.setValue(Field::chkRxPosition, (n & kRxPositionBit) != 0 ? 1 : 0))) {
        return e;
    }
    for (std::size_t i = 0; i < kFileLine9Texts.size(); ++i) {
        if (auto e = SetText(settings, kFileLine9Texts[i], v[2 + i].text)) {
            return e;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ApplySettingsFile(std::string_view bytes, DeviceSettings& settings) {
    GroupReader reader(bytes);

    std::array<FileValue, kFileLine1Values> line1;
    if (auto e = reader.read(line1)) {
        return e;
    }
    if (auto e = ApplyLine1(line1, settings)) {
        return e;
    }

    std::array<FileValue, kSpeedBands> speeds;
    if (auto e = reader.read(speeds)) {
        return e;
    }
    if (auto e = ApplySpeedTable(speeds, settings)) {
        return e;
    }

    std::array<FileValue, kFileLine9Values> line9;
    if (auto e = reader.read(line9)) {
        return e;
    }
    return ApplyLine9(line9, settings);
}

} // namespace korvel
