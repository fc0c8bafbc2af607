#pragma once

#include "settings/DeviceSettings.h"

#include <QObject>

class QMenu;

namespace korvel {

struct SetupControls;

// Entries in the context menus of four fields, after the field's own Cut, Copy
// and Paste (right-click or the Menu key): ICON Symbol offers the APRS symbols
// by group and sets the symbol with its table; APRS PATH the sound paths;
// MY CALLSIGN the SSIDs by their meaning, replacing only the suffix; each speed
// band of Automatic Timing the timing presets; every text field opens the
// window "On the air". Every choice is written through
// the settings, so the field's rules apply as to typing.
class FieldPickers : public QObject {
    Q_OBJECT
public:
    FieldPickers(const SetupControls& controls, DeviceSettings& settings, QObject* parent);

    void addSymbols(QMenu* menu);
    void addPaths(QMenu* menu);
    void addSsids(QMenu* menu);
    void addTimings(QMenu* menu);
    // "On the air..." in every text field's menu.
    void addOnTheAir(QMenu* menu);

signals:
    void onTheAirRequested();

private:
    const SetupControls& controls_;
    DeviceSettings& settings_;
};

} // namespace korvel
