#include "ui/ApplicationSetup.h"

#include "Version.h"

#include <QApplication>
#include <QIcon>

namespace korvel {

void SetUpApplication() {
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // The desktop entry's id: the window's app id under Wayland, and how the
    // desktop finds the entry's name and icon for the window.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/korvel32.png")));
}

} // namespace korvel
