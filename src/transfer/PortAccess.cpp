#include "transfer/PortAccess.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#if defined(Q_OS_UNIX)
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korvel {

#if defined(Q_OS_UNIX)
namespace {

QString ModeText(mode_t mode) {
    QString text = S_ISCHR(mode) ? QStringLiteral("c") : QStringLiteral("-");
    const char* letters = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit) {
        text += (mode & (0400 >> bit)) ? QLatin1Char(letters[bit]) : QLatin1Char('-');
    }
    return text;
}

bool LoginHasGroup(gid_t group) {
    if (getegid() == group) {
        return true;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(getgroups(0, nullptr)) + 1);
    const int count = getgroups(static_cast<int>(groups.size()), groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(count, 0), group) !=
           groups.begin() + std::max(count, 0);
}

bool GroupListsUser(const group* entry, const passwd* user) {
    if (!entry || !user) {
        return false;
    }
    if (user->pw_gid == entry->gr_gid) {
        return true;
    }
    for (char** member = entry->gr_mem; member && *member; ++member) {
        if (std::strcmp(*member, user->pw_name) == 0) {
            return true;
        }
    }
    return false;
}

// The system's own groups, below 1000 (and nogroup, above 60000), are not for
// people to join, save those that exist to give serial ports to users.
bool IsSystemGroup(gid_t id, const QString& name) {
    const bool serialGroup = name == QLatin1String("dialout") || name == QLatin1String("uucp") ||
                             name == QLatin1String("tty");
    return !serialGroup && (id < 1000 || id >= 60000);
}

AccessFacts GatherFacts(const QString& device, int error) {
    AccessFacts facts;
    facts.device = device;
    facts.error = error;
    struct stat status {};
    if (stat(QFile::encodeName(device).constData(), &status) != 0) {
        return facts;
    }
    const passwd* owner = getpwuid(status.st_uid);
    facts.owner = owner ? QString::fromLocal8Bit(owner->pw_name) : QString::number(status.st_uid);
    const group* deviceGroup = getgrgid(status.st_gid);
    facts.group =
        deviceGroup ? QString::fromLocal8Bit(deviceGroup->gr_name) : QString::number(status.st_gid);
    facts.mode = ModeText(status.st_mode);
    facts.groupMayReadWrite = (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    facts.ownerMayReadWrite = (status.st_mode & (S_IRUSR | S_IWUSR)) == (S_IRUSR | S_IWUSR);
    facts.groupIsRoot = status.st_gid == 0;
    facts.groupIsSystems = IsSystemGroup(status.st_gid, facts.group);
    facts.userListedInGroup = GroupListsUser(deviceGroup, getpwuid(geteuid()));
    facts.loginHasGroup = LoginHasGroup(status.st_gid);
    return facts;
}

} // namespace

PortAccess CheckPortAccess(const QString& device) {
    if (access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0) {
        return {true, QString(), QString()};
    }
    return AdviseAccess(GatherFacts(device, errno));
}
#else
PortAccess CheckPortAccess(const QString&) {
    // Elsewhere the port's opening tells; nothing to check beforehand.
    return {true, QString(), QString()};
}
#endif

PortAccess AdviseAccess(const AccessFacts& facts) {
    if (facts.error == 0) {
        return {true, QString(), QString()};
    }
    if (facts.error != EACCES && facts.error != EPERM) {
        return {false, QString::fromLocal8Bit(std::strerror(facts.error)), QString()};
    }
    const bool groupHelps = facts.groupMayReadWrite && !facts.groupIsRoot && !facts.groupIsSystems;
    if (groupHelps && !facts.userListedInGroup) {
        return {false,
                QStringLiteral("only members of the group '%1' may open it").arg(facts.group),
                QStringLiteral("sudo usermod -aG %1 $USER, then log out and in again")
                    .arg(facts.group)};
    }
    if (groupHelps && !facts.loginHasGroup) {
        return {false,
                QStringLiteral("you joined the group '%1' after logging in").arg(facts.group),
                QStringLiteral("log out and in again")};
    }
    // No group to join: hand the device to the user until it is created again
    // (the next start or plugging in), which is all a one-off transfer needs.
    const QString grant =
        facts.ownerMayReadWrite
            ? QStringLiteral("sudo chown $USER %1").arg(facts.device)
            : QStringLiteral("sudo chown $USER %1 && sudo chmod u+rw %1").arg(facts.device);
    return {false,
            QStringLiteral("no group you may join can use it (%1 %2:%3)")
                .arg(facts.mode, facts.owner, facts.group),
            grant + QStringLiteral(" (lasts until the device is created again)")};
}

} // namespace korvel
