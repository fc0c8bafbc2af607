#pragma once

#include "transfer/DeviceTree.h"

#include <QObject>
#include <QString>

class QMenu;

namespace korvel {

class MaskedEdit;

// Tells the operator which device the "Comm num:" field reaches: its tooltip
// names the device behind the number, and its context menu lists the serial
// ports present, choosing one puts its number in. Both look at the system only
// when they are shown, so an adapter plugged in meanwhile is seen, and nothing
// is read at start-up.
class CommPortHelp : public QObject {
    Q_OBJECT
public:
    // Attaches itself to `field` (its parent), looking for ports in `tree`.
    CommPortHelp(MaskedEdit* field, DeviceTree tree);

    // What the tooltip shows for the number in the field now.
    QString toolTip() const;
    // The menu of ports present; the caller owns it.
    QMenu* portMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MaskedEdit* field_;
    DeviceTree tree_;
};

} // namespace korvel
