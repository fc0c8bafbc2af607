#pragma once

// Whole files read and written in one go, for the tests that use Qt.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace korvel::test {

// The file's bytes; "<unreadable>" when it cannot be opened, so that a
// comparison with the expected contents fails and shows why.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Replaces the file's contents with `bytes`; false unless every byte reached
// the system.
[[nodiscard]] inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

} // namespace korvel::test
