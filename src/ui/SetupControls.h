#pragma once

#include "settings/Field.h"

#include <array>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace korvel {

class MaskedEdit;

// The controls of the main window that the program talks to. Frames and
// labels that only carry captions are children of the window without a member
// of their own; each label is listed with the setting it speaks of.
struct SetupControls {
    // The control of each field, by field, of the class its kind in the field
    // table gives: a MaskedEdit, a QCheckBox or a QComboBox.
    std::array<QWidget*, kFieldCount> fields{};
    QPushButton* cmdDefault = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdSend = nullptr;
    QPushButton* cmdHelp = nullptr;
    std::vector<std::pair<QLabel*, Field>> labels; // every label and its setting
    QLabel* Label33 = nullptr;                     // "(0=GPSless Mode)"
    QLabel* Label34 = nullptr;                     // "/ GPSless bcn"

    MaskedEdit* edit(Field field) const;    // null but for a text field
    QCheckBox* checkBox(Field field) const; // null but for a check box
    QComboBox* list(Field field) const;     // null but for a list
    QWidget* control(Field field) const { return fields[FieldIndex(field)]; }
};

// Builds every control of the main window on `window`, with its object name,
// caption, tooltip, geometry, font and tab order. Each setting's control and
// caption label go where its row of the field table places them (frame,
// rectangles in twips, tab index), in the class its kind gives.
SetupControls BuildSetupControls(QWidget* window);

// The sentence of a text field's tooltip that states its length limit ("Max 26
// characters."), from the field's length in the field table.
QString LengthLimitTip(Field field);

} // namespace korvel
