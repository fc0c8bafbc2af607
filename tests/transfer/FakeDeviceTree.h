#pragma once

// A device tree of a test's own, laid out as Linux lays out its own: device
// nodes and the stable links of USB adapters in dev/, the kernel's record of
// each tty in sys/class/tty, the hardware in sys/devices.

#include "transfer/DeviceTree.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace korvel::test {

class FakeDeviceTree {
public:
    FakeDeviceTree() {
        for (const char* folder : {"dev/serial/by-id", "sys/class/tty", "sys/devices"}) {
            QDir(root_.path()).mkpath(QString::fromLatin1(folder));
        }
    }

    DeviceTree tree() const { return DeviceTree::AroundDeviceFolder(devices()); }
    QString devices() const { return root_.filePath(QStringLiteral("dev")); }
    QString device(const QString& name) const { return QDir(devices()).filePath(name); }

    // Adds the port that an entry such as "usb:ttyUSB0:0403:6001:FTDI:FT232R USB UART:A1"
    // describes:
    //   usb:NAME:VENDOR:PRODUCT:MANUFACTURER:DESCRIPTION:SERIAL  a USB adapter
    //   uart:NAME:TYPE       a built-in port whose UART has the kernel's TYPE
    //   placeholder:NAME     a port the 8250 driver reserved, with no type to read
    //   nohardware:NAME      a tty the kernel lists without hardware behind it
    //   node:NAME            a device node the kernel does not list
    void add(const QString& entry) {
        const QStringList f = entry.split(QLatin1Char(':'));
        const QString& kind = f.at(0);
        const QString& name = f.at(1);
        Write(device(name), QString());
        if (kind == QLatin1String("usb")) {
            addUsb(name, f);
        } else if (kind == QLatin1String("uart")) {
            addTty(name, QStringLiteral("pnp0/00:0%1").arg(serial_++));
            Write(ttyFolder(name) + QStringLiteral("/type"), f.at(2) + QLatin1Char('\n'));
        } else if (kind == QLatin1String("placeholder")) {
            addTty(
                name,
                QStringLiteral("platform/serial8250/serial8250:0/serial8250:0.%1").arg(serial_++));
        } else if (kind == QLatin1String("nohardware")) {
            QDir().mkpath(ttyFolder(name));
        }
    }

private:
    QString ttyFolder(const QString& name) const {
        return root_.filePath(QStringLiteral("sys/class/tty/") + name);
    }

    void addTty(const QString& name, const QString& hardware) {
        const QString target = root_.filePath(QStringLiteral("sys/devices/") + hardware);
        QDir().mkpath(target);
        QDir().mkpath(ttyFolder(name));
        QFile::link(target, ttyFolder(name) + QStringLiteral("/device"));
    }

    // An ACM tty hangs off the interface; a USB serial converter's tty one
    // level below it. The strings sit on the USB device above both.
    void addUsb(const QString& name, const QStringList& f) {
        const QString usbDevice = QStringLiteral("pci0000:00/usb1/1-%1").arg(serial_++);
        const QString interface = usbDevice + QStringLiteral("/1-1:1.0");
        addTty(name, name.startsWith(QLatin1String("ttyACM")) ? interface : interface + '/' + name);
        const QString folder = root_.filePath(QStringLiteral("sys/devices/") + usbDevice);
        const char* attributes[] = {"idVendor", "idProduct", "manufacturer", "product", "serial"};
        for (int i = 0; i < 5; ++i) {
            if (!f.at(i + 2).isEmpty()) {
                Write(folder + '/' + QLatin1String(attributes[i]), f.at(i + 2) + '\n');
            }
        }
        const QString stable = QStringLiteral("usb-%1_%2_%3-if00-port0")
                                   .arg(f.at(4), f.at(5), f.at(6))
                                   .replace(QLatin1Char(' '), QLatin1Char('_'));
        QFile::link(QStringLiteral("../../") + name,
                    root_.filePath(QStringLiteral("dev/serial/by-id/") + stable));
    }

    static void Write(const QString& path, const QString& text) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(text.toUtf8());
        }
    }

    QTemporaryDir root_;
    int serial_ = 1;
};

} // namespace korvel::test
