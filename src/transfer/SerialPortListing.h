#pragma once

#include "transfer/DeviceTree.h"
#include "transfer/PortAccess.h"

#include <QString>
#include <optional>
#include <vector>

namespace korvel {

// A serial port present on this computer, with what the operator needs to
// tell it from the others and to reach it.
struct DetectedPort {
    QString device;     // "/dev/ttyUSB0"
    QString stableName; // its link in /dev/serial/by-id, which stays when it moves
    QString description;
    QString manufacturer;
    QString serialNumber;
    QString usbId; // "0403:6001"
    std::optional<int> comNumber;
    QString noComNumber; // why no COM number reaches it
    PortAccess access;
};

// Every serial port present in `tree`, those with a COM number first by number,
// then the others by name. Built-in ports without a UART are left out. On
// Linux the kernel's own records (sysfs) describe them; elsewhere QSerialPortInfo.
std::vector<DetectedPort> ListSerialPorts(const DeviceTree& tree);

// The port `device`, reached as COM `comNumber`, described the same way.
DetectedPort DescribePort(const DeviceTree& tree, const QString& device, int comNumber);

} // namespace korvel
