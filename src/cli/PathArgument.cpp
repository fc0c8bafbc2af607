#include "cli/PathArgument.h"

#include <QFile>

namespace korvel::cli {

std::optional<QString> PathArgument(const std::string& argument) {
    const QByteArray bytes = QByteArray::fromStdString(argument);
    const QString path = QFile::decodeName(bytes);
    if (QFile::encodeName(path) != bytes) {
        return std::nullopt;
    }
    return path;
}

} // namespace korvel::cli
