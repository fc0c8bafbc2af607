#pragma once

#include "transfer/DeviceTree.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace korvel {

// What the kernel tells of a tty through sysfs: what stands behind it and what
// that hardware calls itself. Read from the tree's tty class folder; nothing
// here opens a device.
struct TtyHardware {
    QString description;  // "FT232R USB UART", "built-in serial port (16550A)"
    QString manufacturer; // "FTDI"
    QString serialNumber;
    QString usbId; // "0403:6001", empty when not on USB
};

// Whether the tree has a tty class folder at all (Linux with sysfs mounted).
bool HasTtyClass(const DeviceTree& tree);

// The ttys with hardware (or the kernel's placeholder for it) behind them,
// sorted by name: virtual consoles and pseudo-terminals have none.
QStringList TtysWithHardware(const DeviceTree& tree);

// Why no UART stands behind the tty `name`, when the kernel says so: it lists
// no such tty, the tty has no hardware, or it is a serial port the driver
// reserved without finding a chip (the kernel keeps nodes such as ttyS1 to
// ttyS31 for ports that are not there). Nothing when a UART is there, or when
// the tree has no tty class folder to ask.
std::optional<QString> WhyNoUart(const DeviceTree& tree, const QString& name);

// The hardware's own words about itself: the USB device's strings and ids, or
// the type of a built-in port's UART.
TtyHardware ReadTtyHardware(const DeviceTree& tree, const QString& name);

} // namespace korvel
