#include "transfer/PortResolver.h"

#include "transfer/TtySysfs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>

namespace korvel {
namespace {

// The kinds of device that COM numbers reach on Linux, in the order they are
// looked for: USB adapters (what most operators have), then built-in ports.
constexpr std::array kLinuxComPrefixes = {"ttyUSB", "ttyACM", "ttyS"};

// The number after `prefix` in `name`, if `name` is `prefix` and 1 to 4 digits.
std::optional<int> NumberAfter(const QString& name, const QString& prefix) {
    static const QRegularExpression digits(QStringLiteral("^\\d{1,4}$"));
    if (!name.startsWith(prefix) || !digits.match(name.mid(prefix.size())).hasMatch()) {
        return std::nullopt;
    }
    return name.mid(prefix.size()).toInt();
}

QStringList MacPortNames(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("cu.*")}, QDir::System | QDir::Files, QDir::Name);
}

} // namespace

std::optional<int> LinuxComNumber(const QString& name) {
    for (const char* prefix : kLinuxComPrefixes) {
        if (const std::optional<int> index = NumberAfter(name, QString::fromLatin1(prefix))) {
            return *index + 1;
        }
    }
    return std::nullopt;
}

std::optional<int> WindowsComNumber(const QString& name) {
    return NumberAfter(name, QStringLiteral("COM"));
}

std::optional<int> MacComNumber(const QString& name, const QString& folder) {
    const int index = MacPortNames(folder).indexOf(name);
    return index >= 0 ? std::optional<int>(index + 1) : std::nullopt;
}

QStringList LinuxComDevicePatterns() {
    QStringList patterns;
    for (const char* prefix : kLinuxComPrefixes) {
        patterns << QString::fromLatin1(prefix) + QLatin1Char('*');
    }
    return patterns;
}

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
    for (const char* prefix : kLinuxComPrefixes) {
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
    const QStringList ports = MacPortNames(folder);
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

std::optional<int> ComNumber(const QString& name, const DeviceTree& tree) {
#if defined(Q_OS_WIN)
    Q_UNUSED(tree);
    return WindowsComNumber(name);
#elif defined(Q_OS_MACOS)
    return MacComNumber(name, tree.devices);
#else
    Q_UNUSED(tree);
    return LinuxComNumber(name);
#endif
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
