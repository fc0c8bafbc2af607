#pragma once

#include "transfer/DeviceTree.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace korvel {

// Which device a COM number stands for.
struct PortLookup {
    std::optional<QString> device; // nothing when no device fits
    QStringList lookedFor;         // what was looked for, for the message
};

// COM number `number` (1 or more) on this system: "COMn" on Windows; on macOS
// the n-th of the sorted cu.* devices; elsewhere the first that is there of
// ttyUSB<n-1> (a USB adapter, what most operators have), ttyACM<n-1> and
// ttyS<n-1> (a built-in port, counted only with a UART behind it: the kernel
// keeps nodes for ports that have none, and bytes sent there vanish).
PortLookup ResolvePort(int number, const DeviceTree& tree);
// The same in the tree around `folder` (see DeviceTree::AroundDeviceFolder).
PortLookup ResolvePort(int number, const QString& folder);

// Why the device node `path` is no serial port to send to: an empty reason when
// it is not there at all, else the reason (a dangling link, a built-in port with
// no UART). Nothing when it is one.
std::optional<QString> WhyNotAPort(const DeviceTree& tree, const QString& path);

// The COM number that names the device `name` (a file name) if nothing comes
// before it: n for Linux's ttyUSB<n-1>, ttyACM<n-1> and ttyS<n-1>, for
// Windows' COMn, for the n-th of macOS's sorted cu.* devices in `folder`.
std::optional<int> LinuxComNumber(const QString& name);
std::optional<int> WindowsComNumber(const QString& name);
std::optional<int> MacComNumber(const QString& name, const QString& folder);
// The same by the rules of the system this runs on, in `tree`.
std::optional<int> ComNumber(const QString& name, const DeviceTree& tree);
// The file-name patterns of the devices that COM numbers reach on Linux.
QStringList LinuxComDevicePatterns();

// The rules of each system, for any system's tests.
PortLookup ResolveLinuxPort(int number, const DeviceTree& tree);
PortLookup ResolveLinuxPort(int number, const QString& folder);
PortLookup ResolveMacPort(int number, const QString& folder);
PortLookup ResolveWindowsPort(int number);

} // namespace korvel
