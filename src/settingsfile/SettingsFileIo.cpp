#include "settingsfile/SettingsFileIo.h"

#include "settings/CodePage.h"
#include "settingsfile/ApplySettingsFile.h"
#include "settingsfile/SettingsFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <string>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <unistd.h>
#endif

namespace korvel {
namespace {

// A settings file holds a few hundred bytes; anything far larger is not one,
// and is refused before it is read into memory.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

// Messages of the core quote field texts in the tracker's code page.
QString FromCodePage(const std::string& message) {
    return QString::fromStdString(CodePageToUtf8(message));
}

QString SaveFailure(const QString& path, const QString& cause) {
    return QStringLiteral("Cannot save %1: %2").arg(path, cause);
}

QString LoadFailure(const QString& path, const QString& cause) {
    return QStringLiteral("Cannot load %1: %2").arg(path, cause);
}

// Why the folder of `path` cannot take a new file, in plainer words than the
// temporary file's error gives.
QString FolderProblem(const QString& path, const QString& fallback) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
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

// Why writing stopped; the system does not always say (a write cut short by a
// file-size limit, for one).
QString WriteFailure(const QFileDevice& file) {
    const QString cause = file.errorString();
    if (cause.isEmpty() || cause.contains(QStringLiteral("Unknown error"), Qt::CaseInsensitive)) {
        return QStringLiteral("the file could not be written in full (is the disk full?)");
    }
    return cause;
}

} // namespace

std::optional<QString> SaveSettingsFile(const DeviceSettings& settings, const QString& path) {
    std::string bytes;
    if (const auto error = WriteSettingsFile(settings, bytes)) {
        return SaveFailure(path, FromCodePage(error->message()));
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

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return SaveFailure(path, FolderProblem(path, file.errorString()));
    }
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
    const QFileInfo info(path);
    if (!info.exists()) {
        return LoadFailure(path, QStringLiteral("file not found"));
    }
    if (info.isDir()) {
        return LoadFailure(path, QStringLiteral("it is a folder"));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return LoadFailure(path, file.errorString());
    }
    // Reading asks for room for as many bytes as it may take; a plain file needs
    // no more than its size, and only a pipe or a device the largest allowed.
    const qint64 room = file.isSequential() ? kLargestFile : std::min(file.size(), kLargestFile);
    const QByteArray bytes = file.read(room + 1);
    if (file.error() != QFileDevice::NoError) {
        return LoadFailure(path, file.errorString());
    }
    if (bytes.size() > kLargestFile) {
        return LoadFailure(path, QStringLiteral("the file is too large to be a settings file"));
    }
    file.close();

    if (const auto error = ApplySettingsFile(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            settings)) {
        return LoadFailure(path, FromCodePage(*error));
    }
    return std::nullopt;
}

} // namespace korvel
