#include "transfer/SerialPortListing.h"

#include "transfer/PortResolver.h"
#include "transfer/TtySysfs.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace korvel {
namespace {

void AssignComNumber(const DeviceTree& tree, DetectedPort& port) {
    // The COM number that would reach the device if nothing came before it.
    const std::optional<int> number = ComNumber(QFileInfo(port.device).fileName(), tree);
    if (!number) {
        port.noComNumber = QStringLiteral("no COM number names this kind of device");
        return;
    }
    const PortLookup lookup = ResolvePort(*number, tree);
    if (lookup.device == port.device) {
        port.comNumber = number;
    } else {
        port.noComNumber =
            QStringLiteral("COM%1 reaches %2").arg(*number).arg(lookup.device.value_or(QString()));
    }
}

// The stable links of USB adapters, by the device they point to.
QHash<QString, QString> StableNames(const DeviceTree& tree) {
    QHash<QString, QString> names;
    const QDir folder(tree.serialById);
    for (const QString& link : folder.entryList(QDir::System | QDir::Files, QDir::Name)) {
        const QString target = QFileInfo(folder.filePath(link)).canonicalFilePath();
        if (!target.isEmpty() && !names.contains(target)) {
            names.insert(target, folder.filePath(link));
        }
    }
    return names;
}

void ReadSysfs(const DeviceTree& tree, DetectedPort& port) {
    const TtyHardware hardware = ReadTtyHardware(tree, QFileInfo(port.device).fileName());
    port.description = hardware.description;
    port.manufacturer = hardware.manufacturer;
    port.serialNumber = hardware.serialNumber;
    port.usbId = hardware.usbId;
}

void ReadQtPortInfo(DetectedPort& port) {
    const QSerialPortInfo info(QFileInfo(port.device).fileName()); // found by port name
    port.description = info.description();
    port.manufacturer = info.manufacturer();
    port.serialNumber = info.serialNumber();
    if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
        port.usbId = QStringLiteral("%1:%2")
                         .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                         .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
    }
}

DetectedPort Describe(const DeviceTree& tree, const QString& device,
                      const QHash<QString, QString>& stableNames) {
    DetectedPort port;
    port.device = device;
    port.stableName = stableNames.value(QFileInfo(device).canonicalFilePath());
    // QSerialPortInfo reads the system's own ports only, never a test's tree.
    if (HasTtyClass(tree) || tree != DeviceTree::System()) {
        ReadSysfs(tree, port);
    } else {
        ReadQtPortInfo(port);
    }
    port.access = CheckPortAccess(device);
    return port;
}

// The device nodes that may be serial ports. Sysfs names the ttys with hardware
// behind them without opening any (QSerialPortInfo opens built-in ports to
// probe them, which raises their DTR and RTS lines); QSerialPortInfo serves the
// systems without sysfs. Nodes with COM names count too, as COM numbers reach
// them.
QStringList CandidateDevices(const DeviceTree& tree) {
    QStringList names =
        QDir(tree.devices).entryList(LinuxComDevicePatterns(), QDir::System | QDir::Files);
    QStringList devices;
    if (HasTtyClass(tree)) {
        names += TtysWithHardware(tree);
    } else if (tree == DeviceTree::System()) {
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#if defined(Q_OS_WIN)
            devices << info.portName(); // "COM3", as COM numbers reach it
#else
            devices << info.systemLocation();
#endif
        }
    }
    for (const QString& name : names) {
        devices << QDir(tree.devices).filePath(name);
    }
    devices.removeDuplicates();
    return devices;
}

// Numbered ports by number, then the others by name with numbers in order.
bool ListedBefore(const DetectedPort& a, const DetectedPort& b) {
    if (a.comNumber.has_value() != b.comNumber.has_value()) {
        return a.comNumber.has_value();
    }
    if (a.comNumber && *a.comNumber != *b.comNumber) {
        return *a.comNumber < *b.comNumber;
    }
    static const QRegularExpression trailingNumber(QStringLiteral("^(.*?)(\\d*)$"));
    const auto left = trailingNumber.match(a.device);
    const auto right = trailingNumber.match(b.device);
    if (left.captured(1) != right.captured(1)) {
        return left.captured(1) < right.captured(1);
    }
    return left.captured(2).toLongLong() < right.captured(2).toLongLong();
}

} // namespace

std::vector<DetectedPort> ListSerialPorts(const DeviceTree& tree) {
    const QHash<QString, QString> stableNames = StableNames(tree);
    std::vector<DetectedPort> ports;
    for (const QString& device : CandidateDevices(tree)) {
#if !defined(Q_OS_WIN)
        if (WhyNotAPort(tree, device)) {
            continue;
        }
#endif
        DetectedPort port = Describe(tree, device, stableNames);
        AssignComNumber(tree, port);
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(), ListedBefore);
    return ports;
}

DetectedPort DescribePort(const DeviceTree& tree, const QString& device, int comNumber) {
    DetectedPort port = Describe(tree, device, StableNames(tree));
    port.comNumber = comNumber;
    return port;
}

} // namespace korvel
