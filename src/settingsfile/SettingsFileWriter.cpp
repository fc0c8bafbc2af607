#include "settingsfile/SettingsFileWriter.h"

#include "settingsfile/FileNumbers.h"
#include "settingsfile/SettingsFileLayout.h"

#include <algorithm>
#include <limits>
#include <span>
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

void AppendValue(std::string& out, const LineValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        AppendQuoted(out, *text);
    } else {
        out += std::to_string(std::get<long long>(value));
    }
}

// `index` is the Mic-E list; the auto-reply box goes into the same number.
Result<long long, FieldError> MessageFlags(const DeviceSettings& settings, Field index) {
    const long long flags =
        static_cast<long long>(kAutoReplyBit) * settings.value(Field::chkAutoReply) +
        settings.value(index);
    if (flags < kInt16Min || flags > kInt16Max) {
        return Failure{FieldError{index, "the message flags " + std::to_string(flags) +
                                             " do not fit 16 bits"}};
    }
    return flags;
}

// `interval` is the status-text interval; the box chkRxPosition goes into the
// same number.
Result<long long, FieldError> StatusRate(const DeviceSettings& settings, Field interval) {
    const std::string text = settings.text(interval);
    const auto number = StrictWholeNumber(text, std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max());
    if (!number) {
        return Failure{FieldError{interval, QuotedValue(text) + " is not a number"}};
    }
    const long long bits = std::clamp<long long>(*number, 0, kStatusIntervalMask);
    return bits + static_cast<long long>(kRxPositionBit) * settings.value(Field::chkRxPosition);
}

// The value of `traits`'s field as its codec writes it, added to `values`.
Result<void, FieldError> Gather(const DeviceSettings& settings, const FieldTraits& traits,
                                std::vector<LineValue>& values) {
    Result<long long, FieldError> packed = 0LL;
    switch (traits.file.codec) {
    case FileCodec::QuotedText:
        values.emplace_back(settings.text(traits.field));
        return {};
    case FileCodec::PlainValue:
        values.emplace_back(static_cast<long long>(settings.value(traits.field)));
        return {};
    case FileCodec::MessageFlags:
        packed = MessageFlags(settings, traits.field);
        break;
    case FileCodec::StatusRate:
        packed = StatusRate(settings, traits.field);
        break;
    case FileCodec::NotInFile:
        return Failure{FieldError{traits.field, "has no place in the settings file"}};
    }
    if (!packed) {
        return Failure{std::move(packed).error()};
    }
    values.emplace_back(*packed);
    return {};
}

} // namespace

Result<void, FieldError> WriteSettingsFile(const DeviceSettings& settings, std::string& bytes) {
    const std::span<const Field> saved = SavedFields();
    std::vector<LineValue> values;
    values.reserve(saved.size());
    for (Field field : saved) {
        if (auto gathered = Gather(settings, TraitsOf(field), values); !gathered) {
            return gathered;
        }
    }

    std::string out;
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (i > 0) {
            const bool sameLine = TraitsOf(saved[i]).file.line == TraitsOf(saved[i - 1]).file.line;
            out += sameLine ? "," : "\r\n";
        }
        AppendValue(out, values[i]);
    }
    out += "\r\n";

    bytes = std::move(out);
    return {};
}

} // namespace korvel
