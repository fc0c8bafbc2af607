#include "ui/ApplicationSetup.h"

#include "Version.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace korvel {

void SetUpApplication() {
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // The desktop entry's id: the window's app id under Wayland, and how the
    // desktop finds the entry's name and icon for the window.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QApplication::setWindowIcon(ProgramIcon());
}

QIcon ProgramIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/korvel16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/korvel32.png"), QSize(32, 32));
    // The larger sizes (a task switcher, a screen at scale 2) drawn from the
    // scalable icon, where Qt's SVG support is installed; without it they are
    // scaled up from 32 pixels.
    const QIcon scalable(QStringLiteral(":/icons/korvel.svg"));
    for (const int size : {48, 64, 96, 128, 256}) {
        const QPixmap drawn = scalable.pixmap(QSize(size, size));
        if (drawn.size() == QSize(size, size)) {
            icon.addPixmap(drawn);
        }
    }
    return icon;
}

} // namespace korvel
