#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/PathArgument.h"
#include "transfer/PortWording.h"
#include "transfer/SerialPortListing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <array>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config ports [--json] [--device-folder DIR]\n"
    "\n"
    "Lists every serial port present on this computer, one a line: the COM number\n"
    "that reaches it (the number for 'Comm num:' and send --port), the device, its\n"
    "stable name in /dev/serial/by-id, what it is, its serial number and USB ids,\n"
    "and whether you may open it (if not, why, and the command that fixes it).\n"
    "Built-in ports with no UART behind them are left out.\n";

constexpr std::array kOptions = {
    OptionRow{.name = "--json", .value = {}, .help = "print the same as a JSON array"},
    OptionRow{.name = "--device-folder",
              .value = "DIR",
              .help = "look at DIR instead of /dev, at sys/class/tty beside it\n"
                      "instead of /sys/class/tty, and at DIR/serial/by-id",
              .needs = kDeviceFolderNeeds},
};

QJsonValue TextOrNull(const QString& text) {
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonObject ToJson(const DetectedPort& port) {
    return {{QStringLiteral("com"), port.comNumber ? QJsonValue(*port.comNumber) : QJsonValue()},
            {QStringLiteral("noComNumber"), TextOrNull(port.noComNumber)},
            {QStringLiteral("device"), port.device},
            {QStringLiteral("stableName"), TextOrNull(port.stableName)},
            {QStringLiteral("description"), TextOrNull(port.description)},
            {QStringLiteral("manufacturer"), TextOrNull(port.manufacturer)},
            {QStringLiteral("serialNumber"), TextOrNull(port.serialNumber)},
            {QStringLiteral("usbId"), TextOrNull(port.usbId)},
            {QStringLiteral("mayOpen"), port.access.mayOpen},
            {QStringLiteral("accessProblem"), TextOrNull(port.access.problem)},
            {QStringLiteral("accessFix"), TextOrNull(port.access.fix)}};
}

// "COM1: /dev/ttyUSB0 = /dev/serial/by-id/..., FT232R USB UART (FTDI), serial
// number A1, USB 0403:6001; you may open it"
QString ToLine(const DetectedPort& port) {
    const QString number =
        port.comNumber ? QStringLiteral("COM%1").arg(*port.comNumber)
                       : QStringLiteral("no COM number, use --device (%1)").arg(port.noComNumber);
    DetectedPort named = port;
    if (!port.stableName.isEmpty()) {
        named.device += QStringLiteral(" = ") + port.stableName;
    }
    QStringList parts{PortSummary(named)};
    if (!port.serialNumber.isEmpty()) {
        parts << QStringLiteral("serial number ") + port.serialNumber;
    }
    if (!port.usbId.isEmpty()) {
        parts << QStringLiteral("USB ") + port.usbId;
    }
    QString access = QStringLiteral("you may open it");
    if (!port.access.mayOpen) {
        access = QStringLiteral("you may not open it: ") + port.access.problem;
        if (!port.access.fix.isEmpty()) {
            access += QStringLiteral("; fix: ") + port.access.fix;
        }
    }
    return QStringLiteral("%1: %2; %3").arg(number, parts.join(QStringLiteral(", ")), access);
}

void Print(const QString& text) {
    std::cout << text.toUtf8().toStdString() << "\n";
}

} // namespace

int RunPorts(Arguments args) {
    const CommandSyntax syntax{.name = "ports", .about = kHelp, .options = kOptions};
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    QString folder = DefaultDeviceFolder();
    if (const auto given = parsed.value("--device-folder")) {
        auto named = FolderArgument("--device-folder", *given);
        if (!named) {
            return Fail("ports", named.error());
        }
        folder = std::move(named).value();
    }
    const std::vector<DetectedPort> ports = ListSerialPorts(DeviceTree::AroundDeviceFolder(folder));
    if (parsed.has("--json")) {
        QJsonArray array;
        for (const DetectedPort& port : ports) {
            array.append(ToJson(port));
        }
        std::cout << QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
    } else if (ports.empty()) {
        Print(PortsPresentText(ports));
    } else {
        for (const DetectedPort& port : ports) {
            Print(ToLine(port));
        }
    }
    return kExitSuccess;
}

} // namespace korvel::cli
