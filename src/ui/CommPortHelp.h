#pragma once

#include "transfer/DeviceTree.h"

#include <QObject>
#include <QString>

class QMenu;

namespace korvel {

class MaskedEdit;

// Tells the operator which device the "Comm num:" field reaches: its tooltip,
// and its accessible description when it gets the focus, name the device
// behind the number; its context menu (right click, the Menu key or
// Shift+F10) lists the serial ports present, choosing one puts its number in,
// and keeps the field's Cut, Copy and Paste. All of them look at the system
// only when they are shown, so an adapter plugged in meanwhile is seen, and
// nothing is read at start-up.
class CommPortHelp : public QObject {
    Q_OBJECT
public:
    // Attaches itself to `field` (its parent), looking for ports in `tree`.
    CommPortHelp(MaskedEdit* field, DeviceTree tree);

    // What the tooltip shows for the number in the field now.
    QString toolTip() const;
    // What a screen reader says of the field, with the device of its number now.
    QString description() const;
    // The menu of ports present and the field's edit entries; it deletes
    // itself when it closes.
    QMenu* portMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MaskedEdit* field_;
    DeviceTree tree_;
};

} // namespace korvel
