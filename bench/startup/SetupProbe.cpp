// The window program's start, step for step as KORVEL25's main does it, with
// the first paint of Setup reported.

#include "FirstPaintProbe.h"
#include "Version.h"
#include "ui/Setup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(korvel::kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(korvel::kVersion));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/korvel32.png")));

    korvel::Setup setup;
    korvel::bench::ReportFirstPaint(setup);
    setup.show();
    return QApplication::exec();
}
