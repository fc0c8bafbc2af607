#include "Version.h"
#include "ui/Setup.h"

#include <QApplication>
#include <QIcon>

// Starts the window toolkit and shows the main window with the factory
// defaults. The program reads no command line, environment or stored
// preferences of its own, and keeps nothing between runs.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(korvel::kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(korvel::kVersion));
    // The desktop entry's id: the window's app id under Wayland, and how the
    // desktop finds the entry's name and icon for the window.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(korvel::kAppId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/korvel32.png")));

    korvel::Setup setup;
    setup.show();
    return QApplication::exec();
}
