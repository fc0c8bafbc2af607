#pragma once

#include "settings/Field.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace korvel {

class MaskedEdit;

// The controls of the main window that the program talks to. Labels and
// frames that only carry captions are children of the window without a member.
struct SetupControls {
    std::array<MaskedEdit*, kFieldCount> edits{}; // by field; null for the non-text ones
    QCheckBox* chkTable = nullptr;
    QCheckBox* chkRxPosition = nullptr;
    QCheckBox* chkAutoReply = nullptr;
    QComboBox* cbMicEMsg = nullptr;
    QPushButton* cmdDefault = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdSend = nullptr;
    QPushButton* cmdHelp = nullptr;
    QLabel* Label33 = nullptr; // "(0=GPSless Mode)"
    QLabel* Label34 = nullptr; // "/ GPSless bcn"

    MaskedEdit* edit(Field field) const { return edits[FieldIndex(field)]; }
    QCheckBox* checkBox(Field field) const; // null for the other fields
    QWidget* control(Field field) const;    // the control of any field
};

// Builds every control of the main window on `window`, with its object name,
// caption, tooltip, geometry, font and tab order.
SetupControls BuildSetupControls(QWidget* window);

} // namespace korvel
