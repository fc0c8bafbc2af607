#include "settingsfile/SettingsFileIo.h"

#include "settings/CodePage.h"
#include "settings/CodePageText.h"
#include "settings/LargestFile.h"
#include "settingsfile/ApplySettingsFile.h"
#include "settingsfile/SettingsFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <string>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korvel {
namespace {

QString SaveFailure(const QString& path, const QString& cause) {
    return QStringLiteral("Cannot save %1: %2").arg(path, cause);
}

QString LoadFailure(const QString& path, const QString& cause) {
    return QStringLiteral("Cannot load %1: %2").arg(path, cause);
}

#if defined(Q_OS_UNIX)
// The nearest folder on the way to `path` that is a file instead; empty when
// there is none.
QString FileOnTheWay(const QString& path) {
    for (QFileInfo folder(QFileInfo(path).absolutePath()); !folder.isRoot();
         folder = QFileInfo(folder.absolutePath())) {
        if (folder.exists()) {
            return folder.isDir() ? QString() : folder.filePath();
        }
    }
    return {};
}
#endif

constexpr const char* kLinkLoop = "the symbolic links of the path make a loop";

// Whether following the symbolic links of `path` never ends.
bool IsLinkLoop(const QString& path) {
#if defined(Q_OS_UNIX)
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) != 0 && errno == ELOOP;
#else
    Q_UNUSED(path);
    return false;
#endif
}

// Why `path` cannot be looked at, in the system's words where "file not found"
// would mislead: a folder on the way that the user may not enter, a file where
// a folder should be, a loop of symbolic links.
QString MissingFileProblem(const QString& path) {
#if defined(Q_OS_UNIX)
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        switch (errno) {
        case EACCES:
            return QStringLiteral("permission denied");
        case ENOTDIR:
            if (const QString file = FileOnTheWay(path); !file.isEmpty()) {
                return QStringLiteral("%1 is not a folder").arg(file);
            }
            break;
        case ELOOP:
            return QString::fromLatin1(kLinkLoop);
        default:
            break;
        }
    }
#endif
    return QStringLiteral("file not found");
}

// Why the folder of `path` cannot take a new file, in plainer words than the
// temporary file's error gives.
QString FolderProblem(const QString& path, const QString& fallback) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (IsLinkLoop(folder.filePath())) {
        return QString::fromLatin1(kLinkLoop);
    }
    if (!folder.exists()) {
        return QStringLiteral("the folder %1 does not exist").arg(folder.filePath());
    }
    if (!folder.isDir()) {
        return QStringLiteral("%1 is not a folder").arg(folder.filePath());
    }
#if defined(Q_OS_UNIX)
    // A read-only disk refuses root too; "permission denied" would mislead.
    if (::access(QFile::encodeName(folder.filePath()).constData(), W_OK) != 0 && errno == EROFS) {
        return QStringLiteral("the disk is read-only");
    }
#endif
    if (!folder.isWritable()) {
        return QStringLiteral("permission denied");
    }
    return fallback;
}

// Why writing stopped, in the words of the file's own error. Flushing a write
// that the disk cut short may leave Qt no words for it.
QString WriteFailure(const QSaveFile& file) {
    const QString cause = file.error() != QFileDevice::NoError && !file.errorString().isEmpty()
                              ? file.errorString()
                              : QStringLiteral("is the disk full?");
    return QStringLiteral("the file could not be written in full (%1)").arg(cause);
}

#if defined(Q_OS_UNIX)
bool FolderRefusesNewFiles(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    return ::access(folder.constData(), W_OK) != 0 && errno == EACCES;
}
#endif

// A writable file in a folder that the user may not write into (a file in a
// shared folder) cannot be replaced by a new one: it is then written in place.
// Everywhere else the new file replaces the old one only once complete. The
// new file goes beside the file that a symbolic link leads to, so that is the
// folder that counts.
bool WritesInPlace(const QFileInfo& target) {
#if defined(Q_OS_UNIX)
    const QString file = target.isSymLink() ? target.canonicalFilePath() : target.filePath();
    return target.isFile() && target.isWritable() && FolderRefusesNewFiles(file);
#else
    Q_UNUSED(target);
    return false;
#endif
}

// The replacing file takes the owner, group and permission bits of the file it
// replaces, as far as this process may give them: a user's file saved over by
// root (the program run with sudo for the serial port) stays that user's, and a
// read-only file stays read-only. Where the owner cannot be given (another
// user's file), the group still can be if the user belongs to it; whatever
// cannot be given stays as the system made it. A new file keeps what the system
// gave it. Returns whether all three were kept.
bool KeepOwnerAndMode(const QSaveFile& file, const QString& path) {
#if defined(Q_OS_UNIX)
    struct stat old {};
    const int fd = file.handle();
    if (::stat(QFile::encodeName(path).constData(), &old) != 0 || fd < 0) {
        return true;
    }
    // The owner first: giving a file away clears its set-id bits.
    const bool ownerKept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
    const bool groupKept = ownerKept || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    const bool modeKept = ::fchmod(fd, old.st_mode & 07777) == 0;
    return ownerKept && groupKept && modeKept;
#else
    Q_UNUSED(file);
    Q_UNUSED(path);
    return true;
#endif
}

} // namespace

std::optional<QString> SaveSettingsFile(const DeviceSettings& settings, const QString& path) {
    std::string bytes;
    if (const auto written = WriteSettingsFile(settings, bytes); !written) {
        return SaveFailure(path, FromCodePage(written.error().message()));
    }
    const QFileInfo target(path);
    if (target.isDir()) {
        return SaveFailure(path, QStringLiteral("it is a folder"));
    }
    // A device or a pipe would be replaced by a plain file when the new file
    // takes the target's place.
    if (target.exists() && !target.isFile()) {
        return SaveFailure(path, QStringLiteral("it is not a regular file"));
    }
    // The new file would take the place of the link that leads nowhere.
    if (IsLinkLoop(path)) {
        return SaveFailure(path, QString::fromLatin1(kLinkLoop));
    }

    QSaveFile file(path);
    file.setDirectWriteFallback(WritesInPlace(target));
    if (!file.open(QIODevice::WriteOnly)) {
        return SaveFailure(path, FolderProblem(path, file.errorString()));
    }
    KeepOwnerAndMode(file, path);
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return SaveFailure(path, cause);
    }
    // The bytes reach the disk on flushing; a full disk shows only then, and
    // commit() would put the short file in the target's place regardless.
    if (!file.flush()) {
        const QString cause = WriteFailure(file);
        file.cancelWriting();
        return SaveFailure(path, cause);
    }
    if (!file.commit()) {
        return SaveFailure(path, file.errorString());
    }
    return std::nullopt;
}

std::optional<QString> LoadSettingsFile(DeviceSettings& settings, const QString& path) {
    // Looked at before it is opened: opening a pipe with no writer would wait
    // for one, and a file too large to be a settings file is not read at all.
    const QFileInfo info(path);
    if (!info.exists()) {
        return LoadFailure(path, MissingFileProblem(path));
    }
    if (info.isDir()) {
        return LoadFailure(path, QStringLiteral("it is a folder"));
    }
    if (!info.isFile()) {
        return LoadFailure(path, QStringLiteral("it is not a regular file"));
    }
    if (static_cast<std::uintmax_t>(info.size()) > kLargestFileRead) {
        return LoadFailure(path, QStringLiteral("the file is too large to be a settings file"));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return LoadFailure(path, file.errorString());
    }
    // Reading sets aside room for as many bytes as it is asked for: the size
    // looked at, and one byte more, so that a file that grew past the largest
    // size allowed since is still refused.
    const QByteArray bytes = file.read(info.size() + 1);
    if (file.error() != QFileDevice::NoError) {
        return LoadFailure(path, file.errorString());
    }
    if (static_cast<std::uintmax_t>(bytes.size()) > kLargestFileRead) {
        return LoadFailure(path, QStringLiteral("the file is too large to be a settings file"));
    }
    file.close();

    if (const auto applied = ApplySettingsFile(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), settings);
        !applied) {
        return LoadFailure(path, FromCodePage(applied.error()));
    }
    return std::nullopt;
}

} // namespace korvel
