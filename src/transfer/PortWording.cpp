#include "transfer/PortWording.h"

#include <QStringList>

namespace korvel {

QString PortSummary(const DetectedPort& port) {
    QString summary = port.device;
    if (!port.description.isEmpty()) {
        summary += QStringLiteral(", ") + port.description;
    }
    if (!port.manufacturer.isEmpty()) {
        summary += port.description.isEmpty() ? QStringLiteral(", ") : QStringLiteral(" ");
        summary += QStringLiteral("(%1)").arg(port.manufacturer);
    }
    return summary;
}

QString PortInAList(const DetectedPort& port) {
    if (port.comNumber) {
        return QStringLiteral("COM%1 is %2").arg(*port.comNumber).arg(PortSummary(port));
    }
    return QStringLiteral("%1 (no COM number: %2)").arg(PortSummary(port), port.noComNumber);
}

QString PortsPresentText(const std::vector<DetectedPort>& ports) {
    if (ports.empty()) {
        return QStringLiteral("No serial port is present on this computer: check that the "
                              "tracker's cable or USB adapter is plugged in, and for an adapter "
                              "that the system has a driver for it.");
    }
    QStringList listed;
    for (const DetectedPort& port : ports) {
        listed << PortInAList(port);
    }
    return QStringLiteral("Serial ports present: %1. Put the tracker's number in 'Comm num:'.")
        .arg(listed.join(QStringLiteral("; ")));
}

QString PortsPresentText(const DeviceTree& tree) {
    return PortsPresentText(ListSerialPorts(tree));
}

} // namespace korvel
