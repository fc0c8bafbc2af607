#include "settingsfile/ApplySettingsFile.h"

#include "settings/FieldRule.h"
#include "settingsfile/FileNumbers.h"
#include "settingsfile/SettingsFileLayout.h"
#include "settingsfile/SettingsFileReader.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace korvel {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The values of a file, up to the 22nd, and why they stop short of it.
struct FileValues {
    std::vector<FileValue> values;
    Result<void, std::string> complete; // all 22 values, or why not
    bool unterminated = false;          // the failure is a text that is never closed
    bool keptLoneQuote = false;
};

std::string Describe(const ReadFailure& failure, std::size_t valuesRead) {
    if (failure.kind == ReadFailure::Kind::EndOfFile) {
        const std::span<const Field> saved = SavedFields();
        return "end of file before value " + std::to_string(valuesRead + 1) + " of " +
               std::to_string(saved.size()) + " (" + CaptionOf(saved[valuesRead]) + ")";
    }
    return "line " + std::to_string(failure.line) + ", value " + std::to_string(failure.position) +
           ": the double quote that opens the text is never closed";
}

std::string Where(const FileValue& value, Field field) {
    return "line " + std::to_string(value.line) + ", value " + std::to_string(value.position) +
           " (" + CaptionOf(field) + ")";
}

// Whether the file ended, after a line end, right where the newer places begin.
bool EndsBeforeNewerPlaces(const ReadFailure& failure, const std::vector<FileValue>& values) {
    const std::span<const Field> saved = SavedFields();
    return failure.kind == ReadFailure::Kind::EndOfFile && !values.empty() &&
           values.size() < saved.size() && TraitsOf(saved[values.size()]).file.newer &&
           !values.back().endsFile;
}

FileValues ReadValues(std::string_view bytes, QuoteRule rule) {
    SettingsFileReader reader(bytes, rule);
    FileValues file;
    while (file.values.size() < SavedFields().size()) {
        auto next = reader.next();
        if (!next && EndsBeforeNewerPlaces(next.error(), file.values)) {
            break; // a file written before the newer places: whole
        }
        if (!next) {
            file.complete = Failure{Describe(next.error(), file.values.size())};
            file.unterminated = next.error().kind == ReadFailure::Kind::UnterminatedQuote;
            break;
        }
        file.values.push_back(std::move(next).value());
    }
    // The last value must end as Save ends it, with a line end: one that runs to
    // the end of the file may have lost its end ("NOCALL", then nothing; a text
    // cut between the two quotes of a doubled one), so it is not taken.
    if (file.complete && file.values.back().endsFile) {
        const FileValue& last = file.values.back();
        file.complete = Failure{Where(last, SavedFields()[file.values.size() - 1]) +
                                ": the file ends right after it, without the line end that "
                                "ends a saved file; the file may be cut short"};
        file.values.pop_back();
    }
    file.keptLoneQuote = reader.keptLoneQuote();
    return file;
}

bool SameTexts(std::span<const FileValue> a, std::span<const FileValue> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const FileValue& x, const FileValue& y) { return x.text == y.text; });
}

// All values but the last of a file written before quotes were doubled, which
// holds none of the newer places.
std::size_t AllButLast() {
    const std::span<const Field> saved = SavedFields();
    return static_cast<std::size_t>(std::ranges::count_if(
               saved, [](Field field) { return !TraitsOf(field).file.newer; })) -
           1;
}

// Whether the file may show either mark of ShowsOlderQuotes: only then is the
// old reading tried.
bool MayShowOlderQuotes(const FileValues& doubled) {
    return doubled.keptLoneQuote || (doubled.unterminated && doubled.values.size() == AllButLast());
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
    return SameTexts(doubled.values, std::span(asWritten.values).first(AllButLast())) &&
           asWritten.values.back().text.find("\"\"") == std::string::npos;
}

// A file written before Save doubled the quotes of a text cannot always be read
// with doubled quotes: a text that ends with a quote ("Op. "Tev"") then runs on
// into the next value. Such a file is read the old way when only that gives all
// its values, and only where it shows the mark of such a text: a file cut short
// must fail at its end, not load values shifted into other settings.
FileValues ReadFile(std::string_view bytes) {
    FileValues file = ReadValues(bytes, QuoteRule::Doubled);
    if (!file.complete && MayShowOlderQuotes(file)) {
        FileValues asWritten = ReadValues(bytes, QuoteRule::AsWritten);
        if (asWritten.complete && ShowsOlderQuotes(file, asWritten)) {
            return asWritten;
        }
    }
    return file;
}

Result<long long, std::string> Strict16(const FileValue& value, Field field) {
    const auto number = StrictWholeNumber(value.text, kInt16Min, kInt16Max);
    if (number) {
        return *number;
    }
    const char* why =
        number.error() == StrictFailure::NotANumber ? " is not a number" : " is out of range";
    return Failure{Where(value, field) + ": " + QuotedValue(value.text) + why};
}

Result<std::int32_t, std::string> Lenient32(const FileValue& value, Field field) {
    if (const auto number = LenientNumber(value.text)) {
        return *number;
    }
    return Failure{Where(value, field) + ": " + QuotedValue(value.text) + " is out of range"};
}

// A field's refusal in the words of a load failure: its caption and the reason.
Result<void, std::string> Refused(const Result<void, FieldError>& set) {
    if (set) {
        return {};
    }
    return Failure{set.error().message()};
}

Result<void, std::string> SetText(DeviceSettings& settings, Field field, std::string_view text) {
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

Result<void, std::string> ApplyMessageFlags(const FileValue& value, Field index,
                                            DeviceSettings& settings) {
    const auto flags = Strict16(value, index);
    if (!flags) {
        return Failure{flags.error()};
    }
    // The strict number was whole and in range, so the lenient one is the same.
    const MessageFlags split = SplitMessageFlags(*flags);
    if (auto set = Refused(settings.setValue(index, split.micEIndex)); !set) {
        return set;
    }
    return Refused(settings.setValue(Field::chkAutoReply, split.autoReply));
}

Result<void, std::string> ApplyStatusRate(const FileValue& value, Field interval,
                                          DeviceSettings& settings) {
    const auto rate = Lenient32(value, interval);
    if (!rate) {
        return Failure{rate.error()};
    }
    const std::int32_t n = *rate;
    if (auto set = SetText(settings, interval, ZeroPadded(n & kStatusIntervalMask, 3)); !set) {
        return set;
    }
    return Refused(settings.setValue(Field::chkRxPosition, (n & kRxPositionBit) != 0 ? 1 : 0));
}

// Puts one value of the file into its field, the way its codec wrote it.
Result<void, std::string> ApplyValue(const FileValue& value, const FieldTraits& traits,
                                     DeviceSettings& settings) {
    switch (traits.file.codec) {
    case FileCodec::QuotedText:
        return SetText(settings, traits.field, value.text);
    case FileCodec::PlainValue: {
        const auto number = Strict16(value, traits.field);
        if (!number) {
            return Failure{number.error()};
        }
        return Refused(settings.setValue(traits.field, static_cast<int>(*number)));
    }
    case FileCodec::MessageFlags:
        return ApplyMessageFlags(value, traits.field, settings);
    case FileCodec::StatusRate:
        return ApplyStatusRate(value, traits.field, settings);
    case FileCodec::NotInFile:
        break;
    }
    return {};
}

// The end of the group that begins at `first` in file order.
std::size_t GroupEnd(std::span<const Field> saved, std::size_t first) {
    const int group = TraitsOf(saved[first]).file.group;
    std::size_t end = first;
    while (end < saved.size() && TraitsOf(saved[end]).file.group == group) {
        ++end;
    }
    return end;
}

} // namespace

Result<void, std::string> ApplySettingsFile(std::string_view bytes, DeviceSettings& settings) {
    // Read as Windows-1252, the mark would become three letters of the port
    // number's value and every text would change.
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        return Failure{std::string("the file starts with a UTF-8 byte-order mark; settings files "
                                   "are Windows-1252 text")};
    }
    const FileValues file = ReadFile(bytes);
    const std::span<const Field> saved = SavedFields();
    for (std::size_t first = 0; first < saved.size();) {
        const std::size_t end = GroupEnd(saved, first);
        if (file.values.size() < end) {
            return file.complete;
        }
        for (std::size_t i = first; i < end; ++i) {
            if (auto applied = ApplyValue(file.values[i], TraitsOf(saved[i]), settings); !applied) {
                return applied;
            }
        }
        first = end;
    }
    return {};
}

} // namespace korvel
