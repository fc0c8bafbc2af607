#include "transfer/PortResolver.h"

#include "transfer/TtySysfs.h"

#include <QDir>
#include <QFileInfo>

namespace korvel {

std::optional<QString> WhyNotAPort(const DeviceTree& tree, const QString& path) {
    // exists() follows symbolic links: a link to a vanished device does not count.
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists()) {
        return QStringLiteral("a link to %1, which is gone").arg(info.symLinkTarget());
    }
    if (!info.exists()) {
        return QString();
    }
    if (info.fileName().startsWith(QStringLiteral("ttyS"))) {
        return WhyNoUart(tree, info.fileName());
    }
    return std::nullopt;
}

PortLookup ResolveLinuxPort(int number, const DeviceTree& tree) {
    PortLookup lookup;
    for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
        const QString path =
            QDir(tree.devices).filePath(QString::fromLatin1(prefix) + QString::number(number - 1));
        const std::optional<QString> whyNot = WhyNotAPort(tree, path);
        lookup.lookedFor << (whyNot && !whyNot->isEmpty()
                                 ? QStringLiteral("%1 (%2)").arg(path, *whyNot)
                                 : path);
        if (!lookup.device && !whyNot) {
            lookup.device = path;
        }
    }
    return lookup;
}

PortLookup ResolveLinuxPort(int number, const QString& folder) {
    return ResolveLinuxPort(number, DeviceTree::AroundDeviceFolder(folder));
}

PortLookup ResolveMacPort(int number, const QString& folder) {
    PortLookup lookup;
    const QStringList ports =
        QDir(folder).entryList({QStringLiteral("cu.*")}, QDir::System | QDir::Files, QDir::Name);
    lookup.lookedFor << QStringLiteral("serial port number %1 among the %2 devices %3/cu.*")
                            .arg(number)
                            .arg(ports.size())
                            .arg(folder);
    if (number >= 1 && number <= ports.size()) {
        lookup.device = QDir(folder).filePath(ports.at(number - 1));
    }
    return lookup;
}

PortLookup ResolveWindowsPort(int number) {
    const QString name = QStringLiteral("COM%1").arg(number);
    return {name, {name}};
}

PortLookup ResolvePort(int number, const DeviceTree& tree) {
#if defined(Q_OS_WIN)
    Q_UNUSED(tree);
    return ResolveWindowsPort(number);
#elif defined(Q_OS_MACOS)
    return ResolveMacPort(number, tree.devices);
#else
    return ResolveLinuxPort(number, tree);
#endif
}

PortLookup ResolvePort(int number, const QString& folder) {
    return ResolvePort(number, DeviceTree::AroundDeviceFolder(folder));
}

} // namespace korvel
