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

Result<void, FieldError> SettingsRecord::setText(Field field, std::string_view text) {
    if (auto checked = FieldRule(TraitsOf(field)).check(text); !checked) {
        return checked;
    }
    texts_[FieldIndex(field)] = std::string(text);
    return {};
}

int SettingsRecord::value(Field field) const {
    return values_[FieldIndex(field)];
}

Result<void, FieldError> SettingsRecord::setValue(Field field, int value) {
    if (auto checked = CheckValue(TraitsOf(field), value); !checked) {
        return checked;
    }
    values_[FieldIndex(field)] = value;
    return {};
}

} // namespace korvel
