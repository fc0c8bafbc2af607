#include "ui/ApplicationSetup.h"
#include "ui/Setup.h"

#include <QApplication>

// Starts the window toolkit and shows the main window with the factory
// defaults. The program reads no command line, environment or stored
// preferences of its own, and keeps nothing between runs.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    korvel::SetUpApplication();

    korvel::Setup setup;
    setup.show();
    return QApplication::exec();
}
