#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace korvel {

// Which device a COM number stands for.
struct PortLookup {
    std::optional<QString> device; // nothing when no device fits
    QStringList lookedFor;         // what was looked for, for the message
};

// The folder that holds the serial devices on this system.
QString DefaultDeviceFolder();

// COM number `number` (1 or more) on this system: "COMn" on Windows; on macOS
// the n-th of the sorted cu.* devices of `folder`; elsewhere the first that
// exists of ttyUSB<n-1> (a USB adapter, what most operators have), ttyACM<n-1>
// and ttyS<n-1> (a built-in port) in `folder`.
PortLookup ResolvePort(int number, const QString& folder);

// The rules of each system, for any system's tests.
PortLookup ResolveLinuxPort(int number, const QString& folder);
PortLookup ResolveMacPort(int number, const QString& folder);
PortLookup ResolveWindowsPort(int number);

} // namespace korvel
