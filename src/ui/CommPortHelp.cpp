#include "ui/CommPortHelp.h"

#include "transfer/PortResolver.h"
#include "transfer/PortWording.h"
#include "transfer/SerialPortListing.h"
#include "transfer/TransferSession.h"
#include "ui/MaskedEdit.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace korvel {
namespace {

// The field takes one digit.
constexpr int kHighestComNumber = 9;

const QString& Purpose() {
    static const QString purpose =
        QStringLiteral("Number of the serial port the tracker is attached to (COM1 to COM9). "
                       "Right-click for the ports present.");
    return purpose;
}

QString DescribeEntry(const DetectedPort& port) {
    if (!port.comNumber) {
        return QStringLiteral("%1 - no COM number: %2").arg(PortSummary(port), port.noComNumber);
    }
    if (*port.comNumber > kHighestComNumber) {
        return QStringLiteral("COM%1: %2 - beyond 'Comm num:'; use korvel-config send --port %1")
            .arg(*port.comNumber)
            .arg(PortSummary(port));
    }
    return QStringLiteral("COM%1: %2").arg(*port.comNumber).arg(PortSummary(port));
}

// A device names itself: an "&" in its name is text, not a shortcut mark.
QString MenuEntry(const DetectedPort& port) {
    return DescribeEntry(port).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

CommPortHelp::CommPortHelp(MaskedEdit* field, DeviceTree tree)
    : QObject(field), field_(field), tree_(std::move(tree)) {
    field_->setToolTip(Purpose());
    field_->installEventFilter(this);
}

QString CommPortHelp::toolTip() const {
    const int number = PortNumber(field_->codePageText()).value_or(0);
    if (number < 1) {
        return Purpose();
    }
    const PortLookup lookup = ResolvePort(number, tree_);
    const QString device = lookup.device ? PortSummary(DescribePort(tree_, *lookup.device, number))
                                         : QStringLiteral("no device present (looked for %1)")
                                               .arg(lookup.lookedFor.join(QStringLiteral(", ")));
    // The fixed first line keeps Qt from taking the tooltip for rich text,
    // whatever a device calls itself.
    return QStringLiteral("%1\nCOM%2 on this computer: %3").arg(Purpose()).arg(number).arg(device);
}

QMenu* CommPortHelp::portMenu() {
    auto* menu = new QMenu(field_);
    const std::vector<DetectedPort> ports = ListSerialPorts(tree_);
    if (ports.empty()) {
        menu->addAction(PortsPresentText(ports))->setEnabled(false);
    }
    for (const DetectedPort& port : ports) {
        QAction* action = menu->addAction(MenuEntry(port));
        const bool reachable = port.comNumber && *port.comNumber <= kHighestComNumber;
        action->setEnabled(reachable);
        if (reachable) {
            const QString number = QString::number(*port.comNumber);
            connect(action, &QAction::triggered, field_,
                    [field = field_, number] { field->setFieldText(number); });
        }
    }
    return menu;
}

bool CommPortHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::ToolTip) {
        // Let the field show it, now with what is plugged in at this moment.
        field_->setToolTip(toolTip());
    } else if (watched == field_ && event->type() == QEvent::ContextMenu) {
        QMenu* menu = portMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvel
