#include "cli/SettingsOptions.h"

#include "cli/PathArgument.h"
#include "cli/QuotedArgument.h"
#include "settings/CodePage.h"
#include "settings/FieldRule.h"
#include "settings/FieldTable.h"
#include "settings/SetDefaults.h"
#include "settingsfile/SettingsFileIo.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace korvel::cli {
namespace {

std::string CodePointName(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

// How a masked field wants its text, since a value must fill every position.
std::string MaskHint(const FieldTraits& traits) {
    if (!traits.isNumeric()) {
        return {};
    }
    const auto digits = traits.mask.size();
    return " (" + std::to_string(digits) + (digits == 1 ? " digit" : " digits") + ", e.g. '" +
           ZeroPadded(7, static_cast<int>(digits)) + "')";
}

// The field as the window names it, then as --set does: "TX DELAY (edNumFlagsAuto)".
std::string FieldName(Field field) {
    return CaptionOf(field) + " (" + std::string(TraitsOf(field).name) + ")";
}

// A number typed with fewer digits than the field has means what the window's
// masked field makes of the same digits typed into it: "120" in a four-digit
// field is the value 120, written "0120". What the field cannot hold stays refused.
std::string AsTyped(const FieldTraits& traits, const std::string& text) {
    const bool digits =
        !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
    if (!traits.isNumeric() || !digits || text.size() >= traits.mask.size()) {
        return text;
    }
    return std::string(traits.mask.size() - text.size(), '0') + text;
}

Result<void, std::string> SetText(SettingsRecord& record, Field field, const std::string& utf8) {
    const Utf8Conversion converted = Utf8ToCodePage(AsTyped(TraitsOf(field), utf8));
    if (converted.malformed) {
        return Failure{FieldName(field) + ": the value is not valid UTF-8"};
    }
    if (converted.unmappable) {
        return Failure{FieldName(field) + ": " + QuotedArgument(utf8) + " holds the character " +
                       CodePointName(*converted.unmappable) +
                       ", which the tracker's code page lacks"};
    }
    if (const auto set = record.setText(field, converted.bytes); !set) {
        return Failure{CodePageToUtf8(set.error().messageWithName()) + MaskHint(TraitsOf(field))};
    }
    return {};
}

Result<void, std::string> SetValue(SettingsRecord& record, Field field, const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return Failure{FieldName(field) + ": " + QuotedArgument(text) + " is not a whole number"};
    }
    // A box is clear or checked; the greyed state and the bits of other
    // settings are not for the command line to set.
    if (TraitsOf(field).kind == FieldKind::Check && value != 0 && value != 1) {
        return Failure{FieldName(field) + ": " + QuotedArgument(text) +
                       " is not a check-box state (0 clear, 1 checked)"};
    }
    if (const auto set = record.setValue(field, value); !set) {
        return Failure{set.error().messageWithName()};
    }
    return {};
}

Result<void, std::string> ApplySet(SettingsRecord& record, const std::string& name,
                                   const std::string& value) {
    const auto field = FindField(name);
    if (!field) {
        return Failure{"unknown field " + QuotedArgument(name) +
                       " ('korvel-config fields' lists the names)"};
    }
    return TraitsOf(*field).isText() ? SetText(record, *field, value)
                                     : SetValue(record, *field, value);
}

} // namespace

bool IsNameAndValue(std::string_view text) {
    const auto equals = text.find('=');
    return equals != std::string_view::npos && equals > 0;
}

SettingsOptions SettingsOptionsOf(const ParsedOptions& parsed) {
    SettingsOptions options{.file = parsed.value(kFileOption.name), .sets = {}};
    for (const std::string& set : parsed.values(kSetOption.name)) {
        const auto equals = set.find('=');
        options.sets.emplace_back(set.substr(0, equals), set.substr(equals + 1));
    }
    return options;
}

Result<SettingsRecord, std::string> BuildSettings(const SettingsOptions& options) {
    SettingsRecord record;
    SetDefaults(record);
    if (options.file) {
        const auto path = PathArgument(*options.file);
        if (!path) {
            return Failure{std::string("--file: ") + kPathNotUtf8};
        }
        if (const auto error = LoadSettingsFile(record, *path)) {
            return Failure{error->toStdString()};
        }
    }
    for (const auto& [name, value] : options.sets) {
        if (auto set = ApplySet(record, name, value); !set) {
            return Failure{std::move(set).error()};
        }
    }
    return record;
}

} // namespace korvel::cli
