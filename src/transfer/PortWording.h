#pragma once

#include "transfer/DeviceTree.h"
#include "transfer/SerialPortListing.h"

#include <QString>

namespace korvel {

// "/dev/ttyUSB0, FT232R USB UART (FTDI)": the device and what it is.
QString PortSummary(const DetectedPort& port);

// "COM1 is /dev/ttyUSB0, FT232R USB UART (FTDI)" or "/dev/ttyAMA0, ... (no
// COM number: ...)": one port for a list in a sentence.
QString PortInAList(const DetectedPort& port);

// The ports present, for a message about a COM number that reaches nothing:
// each with its COM number, or, when there is none, what to check.
QString PortsPresentText(const std::vector<DetectedPort>& ports);
QString PortsPresentText(const DeviceTree& tree);

} // namespace korvel
