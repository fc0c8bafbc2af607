#pragma once

#include "cli/SendRecord.h"
#include "transfer/DeviceTree.h"

namespace korvel::cli {

// What the system knows of the serial device at `path`: its stable by-id link
// and, for a USB adapter, its vendor, product and serial number. Nothing is
// opened; what is not known stays empty.
DeviceIdentity IdentifyDevice(const QString& path, const DeviceTree& tree);

} // namespace korvel::cli
