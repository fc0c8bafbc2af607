#include "cli/DeviceIdentity.h"

#include "transfer/TtySysfs.h"

#include <QDir>
#include <QFileInfo>

namespace korvel::cli {
namespace {

// The stable link in the tree's by-id folder that leads to `target`, if any:
// the name that stays the same whichever order adapters are plugged in.
QString ByIdName(const DeviceTree& tree, const QString& target) {
    const QDir links(tree.serialById);
    for (const QFileInfo& link : links.entryInfoList(QDir::System | QDir::Files)) {
        if (link.isSymLink() && link.canonicalFilePath() == target) {
            return link.absoluteFilePath();
        }
    }
    return {};
}

} // namespace

DeviceIdentity IdentifyDevice(const QString& path, const DeviceTree& tree) {
    DeviceIdentity identity;
    identity.path = path;
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty()) {
        return identity;
    }
    identity.byId = ByIdName(tree, target);
    const TtyHardware hardware = ReadTtyHardware(tree, QFileInfo(target).fileName());
    const QStringList ids = hardware.usbId.split(':');
    if (ids.size() == 2) {
        identity.usbVendor = ids[0];
        identity.usbProduct = ids[1];
        identity.usbSerial = hardware.serialNumber;
    }
    return identity;
}

} // namespace korvel::cli
