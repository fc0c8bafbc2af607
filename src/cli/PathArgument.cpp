#include "cli/PathArgument.h"

#include <QFile>
#include <QFileInfo>

namespace korvel::cli {

std::optional<QString> PathArgument(const std::string& argument) {
    const QByteArray bytes = QByteArray::fromStdString(argument);
    const QString path = QFile::decodeName(bytes);
    if (QFile::encodeName(path) != bytes) {
        return std::nullopt;
    }
    return path;
}

Result<QString, std::string> FolderArgument(std::string_view option, const std::string& argument) {
    const auto path = PathArgument(argument);
    if (!path) {
        return Failure{std::string(option) + ": " + kPathNotUtf8};
    }
    if (!QFileInfo(*path).isDir()) {
        return Failure{std::string(option) + " " + argument + ": no such folder"};
    }
    return *path;
}

} // namespace korvel::cli
