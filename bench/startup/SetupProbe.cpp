// The window program's start, step for step as KORVEL25's main does it, with
// the first paint of Setup reported. With --describe FILE it writes the
// window's stock widgets to FILE instead, for the same-widgets baseline.

#include "FirstPaintProbe.h"
#include "FormDescription.h"
#include "ui/ApplicationSetup.h"
#include "ui/Setup.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    korvel::SetUpApplication();

    korvel::Setup setup;
    if (argc == 3 && std::strcmp(argv[1], "--describe") == 0) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
            return 1;
        }
        QTextStream out(&file);
        korvel::bench::DescribeForm(setup, out);
        return 0;
    }
    korvel::bench::ReportFirstPaint(setup);
    setup.show();
    return QApplication::exec();
}
