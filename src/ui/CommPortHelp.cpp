#include "ui/CommPortHelp.h"

#include "settings/FieldTable.h"
#include "transfer/PortResolver.h"
#include "transfer/PortWording.h"
#include "transfer/SerialPortListing.h"
#include "transfer/TransferSession.h"
#include "ui/MaskedEdit.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace korvel {
namespace {

// The highest number the field takes (one digit).
int HighestComNumber() {
    return TraitsOf(Field::edComm).highest;
}

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
    if (*port.comNumber > HighestComNumber()) {
        // send --port takes what the field takes; the device itself reaches it.
        return QStringLiteral("COM%1: %2 - beyond 'Comm num:'; use korvel-config send --device %3")
            .arg(*port.comNumber)
            .arg(PortSummary(port), port.device);
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

QString CommPortHelp::description() const {
    const std::string limits = DescriptionOf(Field::edComm);
    return QString::fromLatin1(limits.data(), static_cast<qsizetype>(limits.size())) +
           QStringLiteral(". ") + toolTip() +
           QStringLiteral("\nThe Menu key or Shift+F10 lists the ports present too.");
}

QMenu* CommPortHelp::portMenu() {
    QMenu* menu = field_->createFieldMenu();
    // A screen reader names the menu when it opens.
    menu->setWindowTitle(QStringLiteral("Comm num: serial ports present"));
    QAction* editEntries = menu->actions().value(0);
    const auto add = [menu, editEntries](const QString& text) {
        auto* action = new QAction(text, menu);
        menu->insertAction(editEntries, action);
        return action;
    };
    const std::vector<DetectedPort> ports = ListSerialPorts(tree_);
    if (ports.empty()) {
        add(PortsPresentText(ports))->setEnabled(false);
    }
    for (const DetectedPort& port : ports) {
        QAction* action = add(MenuEntry(port));
        const bool reachable = port.comNumber && *port.comNumber <= HighestComNumber();
        action->setEnabled(reachable);
        if (reachable) {
            const QString number = QString::number(*port.comNumber);
            connect(action, &QAction::triggered, field_,
                    [field = field_, number] { field->setFieldText(number); });
        }
    }
    menu->insertSeparator(editEntries);
    return menu;
}

bool CommPortHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::ToolTip:
        // Let the field show it, now with what is plugged in at this moment.
        field_->setToolTip(toolTip());
        break;
    case QEvent::FocusIn:
        // Before Qt tells a screen reader of the focus, which then reads it.
        field_->setAccessibleDescription(description());
        break;
    case QEvent::ContextMenu:
        // The Menu key and Shift+F10 come here too (the field turns both into
        // this event).
        OpenFieldMenu(portMenu(), *static_cast<QContextMenuEvent*>(event));
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvel
