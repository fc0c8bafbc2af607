#include "transfer/DeviceTree.h"

#include <QDir>

namespace korvel {

QString DefaultDeviceFolder() {
    return QStringLiteral("/dev");
}

DeviceTree DeviceTree::AroundDeviceFolder(const QString& deviceFolder) {
    const QDir devices(QDir::cleanPath(deviceFolder));
    return {devices.path(), QDir::cleanPath(devices.filePath(QStringLiteral("../sys/class/tty"))),
            devices.filePath(QStringLiteral("serial/by-id"))};
}

DeviceTree DeviceTree::System() {
    return AroundDeviceFolder(DefaultDeviceFolder());
}

} // namespace korvel
