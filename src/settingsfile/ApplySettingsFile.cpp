#include "settingsfile/ApplySettingsFile.h"

#include "settings/FieldRule.h"
#include "settingsfile/FileNumbers.h"
#include "settingsfile/SettingsFileLayout.h"
#include "settingsfile/SettingsFileReader.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

namespace korvel {
namespace {

using Values = std::span<const FileValue>;

// The values of a file, up to the 22nd, and why they stop short of it.
struct FileValues {
    std::vector<FileValue> values;
    std::optional<std::string> failure;
    bool unterminated = false; // the failure is a text that is never closed
    bool keptLoneQuote = false;
};

std::string Describe(const ReadFailure& failure, std::size_t valuesRead) {
    if (failure.kind == ReadFailure::Kind::EndOfFile) {
        return "end of file before value " + std::to_string(valuesRead + 1) + " of " +
               std::to_string(kFileValueCount) + " (" + CaptionOf(kFileOrder[valuesRead]) + ")";
    }
    return "line " + std::to_string(failure.line) + ", value " + std::to_string(failure.position) +
           ": the double quote that opens the text is never closed";
}

FileValues ReadValues(std::string_view bytes, QuoteRule rule) {
    SettingsFileReader reader(bytes, rule);
    FileValues file;
    while (file.values.size() < kFileValueCount) {
        auto next = reader.next();
        if (const auto* failure = std::get_if<ReadFailure>(&next)) {
            file.failure = Describe(*failure, file.values.size());
            file.unterminated = failure->kind == ReadFailure::Kind::UnterminatedQuote;
            break;
        }
        file.values.push_back(std::move(std::get<FileValue>(next)));
    }
    file.keptLoneQuote = reader.keptLoneQuote();
    return file;
}

bool SameTexts(std::span<const FileValue> a, std::span<const FileValue> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const FileValue& x, const FileValue& y) { return x.text == y.text; });
}

constexpr std::size_t kAllButLast = kFileValueCount - 1;

// Whether the file may show either mark of ShowsOlderQuotes: only then is the
// old reading tried.
bool MayShowOlderQuotes(const FileValues& doubled) {
    return doubled.keptLoneQuote || (doubled.unterminated && doubled.values.size() == kAllButLast);
}

// Whether a file that the doubled reading cannot read all of shows the mark of
// a text written before Save doubled its quotes, so that the old reading may be
// trusted. Save doubles every quote of a text, so a file it wrote, even one cut
// short anywhere, never shows either mark:
// - the doubled reading kept a lone quote inside a text ("Op. "Tev"" runs on);
// - only the last value is never closed, the old reading agrees on all the
//   others, and its last text holds no two quotes in a row ("QRV"" at the end).
bool ShowsOlderQuotes(const FileValues& doubled, const FileValues& asWritten) {
    if (doubled.keptLoneQuote) {
        return true;
    }
    return SameTexts(doubled.values, std::span(asWritten.values).first(kAllButLast)) &&
           asWritten.values.back().text.find("\"\"") == std::string::npos;
}

// A file written before Save doubled the quotes of a text cannot always be read
// with doubled quotes: a text that ends with a quote ("Op. "Tev"") then runs on
// into the next value. Such a file is read the old way when only that gives all
// its values, and only where it shows the mark of such a text: a file cut short
// must fail at its end, not load values shifted into other settings.
FileValues ReadFile(std::string_view bytes) {
    FileValues file = ReadValues(bytes, QuoteRule::Doubled);
    if (file.failure && MayShowOlderQuotes(file)) {
        FileValues asWritten = ReadValues(bytes, QuoteRule::AsWritten);
        if (!asWritten.failure && ShowsOlderQuotes(file, asWritten)) {
            return asWritten;
        }
    }
    return file;
}

std::string Where(const FileValue& value, Field field) {
    return "line " + std::to_string(value.line) + ", value " + std::to_string(value.position) +
           " (" + CaptionOf(field) + ")";
}

std::variant<long long, std::string> Strict16(const FileValue& value, Field field) {
    const StrictResult number = StrictWholeNumber(value.text, kInt16Min, kInt16Max);
    if (number.value) {
        return *number.value;
    }
    const char* why =
        number.failure == StrictFailure::NotANumber ? " is not a number" : " is out of range";
    return Where(value, field) + ": " + QuotedValue(value.text) + why;
}

std::variant<std::int32_t, std::string> Lenient32(const FileValue& value, Field field) {
    if (const auto number = LenientNumber(value.text)) {
        return *number;
    }
    return Where(value, field) + ": " + QuotedValue(value.text) + " is out of range";
}

std::optional<std::string> Refused(const std::optional<FieldError>& error) {
    if (!error) {
        return std::nullopt;
    }
    return error->message();
}

std::optional<std::string> SetText(DeviceSettings& settings, Field field, std::string_view text) {
    return Refused(settings.setText(field, text));
}

struct MessageFlags {
    int micEIndex;
    int autoReply;
};

// Line 1 value 4 as Save writes it: 16 x auto-reply + the Mic-E index. With no
// entry selected that is -1 or 15, which the bits alone would read as entry 15
// (and, for 15, the box the other way round).
MessageFlags SplitMessageFlags(long long flags) {
    if (flags == kNoMicEEntry) {
        return {kNoMicEEntry, 0};
    }
    if (flags == kAutoReplyBit + kNoMicEEntry) {
        return {kNoMicEEntry, 1};
    }
    return {static_cast<int>(flags & kMicEIndexMask), (flags & kAutoReplyBit) != 0 ? 1 : 0};
}

std::optional<std::string> ApplyLine1(Values v, DeviceSettings& settings) {
    if (auto e = SetText(settings, Field::edComm, v[0].text)) {
        return e;
    }
    if (auto e = SetText(settings, Field::edNumFlagsAuto, v[1].text)) {
        return e;
    }
    if (auto e = SetText(settings, Field::edMsgRepeat, v[2].text)) {
        return e;
    }
    const auto flags = Strict16(v[3], Field::cbMicEMsg);
    if (const auto* e = std::get_if<std::string>(&flags)) {
        return *e;
    }
    // The strict number was whole and in range, so the lenient one is the same.
    const MessageFlags split = SplitMessageFlags(std::get<long long>(flags));
    if (auto e = Refused(settings.setValue(Field::cbMicEMsg, split.micEIndex))) {
        return e;
    }
    if (auto e = Refused(settings.setValue(Field::chkAutoReply, split.autoReply))) {
        return e;
    }
    if (auto e = SetText(settings, Field::edSymbol, v[4].text)) {
        return e;
    }
    const auto table = Strict16(v[5], Field::chkTable);
    if (const auto* e = std::get_if<std::string>(&table)) {
        return *e;
    }
    return Refused(
        settings.setValue(Field::chkTable, static_cast<int>(std::get<long long>(table))));
}

std::optional<std::string> ApplySpeedTable(Values v, DeviceSettings& settings) {
    for (std::size_t band = 0; band < kSpeedBands; ++band) {
        if (auto e = SetText(settings, SpeedTableField(band), v[band].text)) {
            return e;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ApplyLine9(Values v, DeviceSettings& settings) {
    if (auto e = SetText(settings, Field::edManualTime, v[0].text)) {
        return e;
    }
    const auto rate = Lenient32(v[1], Field::edBcnEvery);
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
    const FileValues file = ReadFile(bytes);
    const Values values = file.values;

    struct Group {
        std::size_t size;
        std::optional<std::string> (*apply)(Values, DeviceSettings&);
    };
    constexpr Group kGroups[] = {
        {kFileLine1Values, ApplyLine1},
        {kSpeedBands, ApplySpeedTable},
        {kFileLine9Values, ApplyLine9},
    };
    std::size_t first = 0;
    for (const Group& group : kGroups) {
        if (values.size() < first + group.size) {
            return file.failure;
        }
        if (auto e = group.apply(values.subspan(first, group.size), settings)) {
            return e;
        }
        first += group.size;
    }
    return std::nullopt;
}

} // namespace korvel
