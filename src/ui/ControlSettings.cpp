#include "ui/ControlSettings.h"

#include "settings/FieldRule.h"
#include "ui/MaskedEdit.h"
#include "ui/SetupControls.h"

#include <QCheckBox>
#include <QComboBox>

namespace korvel {
namespace {

Qt::CheckState ToCheckState(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

// 0 clear, 1 checked, 2 greyed.
int FromCheckState(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

} // namespace

std::string ControlSettings::text(Field field) const {
    const MaskedEdit* edit = controls_->edit(field);
    return edit ? edit->codePageText() : std::string();
}

Result<void, FieldError> ControlSettings::setText(Field field, std::string_view text) {
    MaskedEdit* edit = controls_->edit(field);
    if (!edit) {
        return Failure{FieldError{field, "is not a text field"}};
    }
    return edit->setCodePageText(std::string(text));
}

int ControlSettings::value(Field field) const {
    if (const QComboBox* list = controls_->list(field)) {
        // Text typed into the list that is none of its entries selects nothing.
        return list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    }
    const QCheckBox* box = controls_->checkBox(field);
    return box ? FromCheckState(box->checkState()) : 0;
}

Result<void, FieldError> ControlSettings::setValue(Field field, int value) {
    if (auto checked = CheckValue(TraitsOf(field), value); !checked) {
        return checked;
    }
    // CheckValue refused every field that is neither a list nor a check box.
    if (QComboBox* list = controls_->list(field)) {
        list->setCurrentIndex(value);
    } else {
        controls_->checkBox(field)->setCheckState(ToCheckState(value));
    }
    return {};
}

} // namespace korvel
