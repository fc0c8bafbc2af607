#include "settings/SettingsRecord.h"

#include "settings/FieldRule.h"

namespace korvel {

SettingsRecord::SettingsRecord() {
    for (const FieldTraits& traits : AllFields()) {
        if (traits.isText()) {
            texts_[FieldIndex(traits.field)] = FieldRule(traits).emptyText();
        } else if (traits.kind == FieldKind::ListIndex) {
            values_[FieldIndex(traits.field)] = -1;
        }
    }
}

std::string SettingsRecord::text(Field field) const {
    return texts_[FieldIndex(field)];
}

std::optional<FieldError> SettingsRecord::setText(Field field, std::string_view text) {
    if (auto refused = FieldRule(TraitsOf(field)).refusal(text)) {
        return refused;
    }
    texts_[FieldIndex(field)] = std::string(text);
    return std::nullopt;
}

int SettingsRecord::value(Field field) const {
    return values_[FieldIndex(field)];
}

std::optional<FieldError> SettingsRecord::setValue(Field field, int value) {
    if (auto refused = ValueRefusal(TraitsOf(field), value)) {
        return refused;
    }
    values_[FieldIndex(field)] = value;
    return std::nullopt;
}

} // namespace korvel
