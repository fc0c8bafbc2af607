#include "transfer/TtySysfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <utility>

namespace korvel {
namespace {

// A USB adapter's strings sit on the USB device, a few levels above the tty:
// the tty, the interface, the device. Stopping early keeps a hub's strings out.
constexpr int kUsbDeviceLevels = 4;

// The kernel's numbers for the common UARTs of built-in ports.
constexpr std::array<std::pair<int, const char*>, 8> kUartTypes = {{
    {1, "8250"},
    {2, "16450"},
    {3, "16550"},
    {4, "16550A"},
    {6, "16650"},
    {7, "16650V2"},
    {8, "16750"},
    {10, "16C950"},
}};

QString ReadAttribute(const QString& folder, const char* attribute) {
    QFile file(QDir(folder).filePath(QString::fromLatin1(attribute)));
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.read(4096)).trimmed();
}

QString TtyFolder(const DeviceTree& tree, const QString& name) {
    return QDir(tree.ttyClass).filePath(name);
}

// The hardware behind the tty, with links resolved; empty when there is none.
QString DeviceFolder(const DeviceTree& tree, const QString& name) {
    return QFileInfo(QDir(TtyFolder(tree, name)).filePath(QStringLiteral("device")))
        .canonicalFilePath();
}

// The UART type of a serial port (0: no chip found); nothing for other ttys.
std::optional<int> UartType(const DeviceTree& tree, const QString& name) {
    bool ok = false;
    const int type = ReadAttribute(TtyFolder(tree, name), "type").toInt(&ok);
    return ok ? std::optional<int>(type) : std::nullopt;
}

// Without a readable type, the 8250 driver's own platform device marks the
// ports it reserved for chips it did not find.
bool IsPlaceholder(const QString& deviceFolder) {
    return deviceFolder.endsWith(QStringLiteral("/serial8250")) ||
           deviceFolder.contains(QStringLiteral("/serial8250:"));
}

QString UartName(int type) {
    for (const auto& [number, name] : kUartTypes) {
        if (number == type) {
            return QString::fromLatin1(name);
        }
    }
    return QStringLiteral("UART type %1").arg(type);
}

void ReadUsbDevice(const QString& deviceFolder, TtyHardware& hardware) {
    QDir folder(deviceFolder);
    for (int level = 0; level < kUsbDeviceLevels; ++level) {
        const QString vendor = ReadAttribute(folder.path(), "idVendor");
        if (!vendor.isEmpty()) {
            hardware.description = ReadAttribute(folder.path(), "product");
            hardware.manufacturer = ReadAttribute(folder.path(), "manufacturer");
            hardware.serialNumber = ReadAttribute(folder.path(), "serial");
            hardware.usbId = vendor + QLatin1Char(':') + ReadAttribute(folder.path(), "idProduct");
            return;
        }
        if (!folder.cdUp()) {
            return;
        }
    }
}

} // namespace

bool HasTtyClass(const DeviceTree& tree) {
    return QFileInfo(tree.ttyClass).isDir();
}

QStringList TtysWithHardware(const DeviceTree& tree) {
    QStringList names;
    const QStringList ttys =
        QDir(tree.ttyClass).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : ttys) {
        if (!DeviceFolder(tree, name).isEmpty()) {
            names << name;
        }
    }
    return names;
}

std::optional<QString> WhyNoUart(const DeviceTree& tree, const QString& name) {
    if (!HasTtyClass(tree)) {
        return std::nullopt;
    }
    if (!QFileInfo(TtyFolder(tree, name)).isDir()) {
        return QStringLiteral("the kernel knows no such port");
    }
    const QString device = DeviceFolder(tree, name);
    if (device.isEmpty()) {
        return QStringLiteral("no hardware stands behind it");
    }
    const std::optional<int> type = UartType(tree, name);
    if (type ? *type == 0 : IsPlaceholder(device)) {
        return QStringLiteral("no UART stands behind it");
    }
    return std::nullopt;
}

TtyHardware ReadTtyHardware(const DeviceTree& tree, const QString& name) {
    TtyHardware hardware;
    const QString device = DeviceFolder(tree, name);
    if (device.isEmpty()) {
        return hardware;
    }
    ReadUsbDevice(device, hardware);
    if (hardware.usbId.isEmpty()) {
        if (const std::optional<int> type = UartType(tree, name); type && *type != 0) {
            hardware.description = QStringLiteral("built-in serial port (%1)").arg(UartName(*type));
        }
    }
    return hardware;
}

} // namespace korvel
