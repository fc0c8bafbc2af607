#include "transfer/PortResolver.h"

#include <QDir>
#include <QFileInfo>

namespace korvel {

QString DefaultDeviceFolder() {
    return QStringLiteral("/dev");
}

PortLookup ResolveLinuxPort(int number, const QString& folder) {
    PortLookup lookup;
    for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
        const QString path =
            QDir(folder).filePath(QString::fromLatin1(prefix) + QString::number(number - 1));
        // exists() follows symbolic links: a link to a vanished device does not count.
        const QFileInfo info(path);
        if (info.isSymLink() && !info.exists()) {
            lookup.lookedFor << QStringLiteral("%1 (a link to %2, which is gone)")
                                    .arg(path, info.symLinkTarget());
        } else {
            lookup.lookedFor << path;
        }
        if (!lookup.device && info.exists()) {
            lookup.device = path;
        }
    }
    return lookup;
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

PortLookup ResolvePort(int number, const QString& folder) {
#if defined(Q_OS_WIN)
    Q_UNUSED(folder);
    return ResolveWindowsPort(number);
#elif defined(Q_OS_MACOS)
    return ResolveMacPort(number, folder);
#else
    return ResolveLinuxPort(number, folder);
#endif
}

} // namespace korvel
