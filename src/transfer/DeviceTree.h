#pragma once

#include <QString>

namespace korvel {

// Where this system keeps what it knows of its serial ports: the device nodes,
// the kernel's view of every tty (sysfs) and the stable links of USB adapters.
// Tests point all three at a folder of their own.
struct DeviceTree {
    QString devices;    // /dev
    QString ttyClass;   // /sys/class/tty
    QString serialById; // /dev/serial/by-id

    // The tree around a folder of device nodes, laid out as the system lays out
    // /dev: the tty class in sys/class/tty beside it, the stable links in
    // serial/by-id inside it. "/dev" gives the system's own tree.
    static DeviceTree AroundDeviceFolder(const QString& deviceFolder);
    static DeviceTree System();

    bool operator==(const DeviceTree&) const = default;
};

// The folder that holds the serial devices on this system.
QString DefaultDeviceFolder();

} // namespace korvel
