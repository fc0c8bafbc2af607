// The yardsticks, in plain Qt Widgets: one empty window; with --label, a window
// with one line of text, which brings in what any window with text pays for
// (the font database, one font and its glyphs); with --form FILE, the stock
// widgets that FILE describes: what Qt itself costs for the main window's form.

#include "FirstPaintProbe.h"
#include "FormDescription.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTextStream>
#include <QWidget>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (argc == 3 && std::strcmp(argv[1], "--form") == 0) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            return 1;
        }
        QTextStream in(&file);
        window.reset(korvel::bench::BuildForm(in));
        if (!window) {
            return 1;
        }
    } else {
        window = std::make_unique<QWidget>();
        if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
            (new QLabel(QStringLiteral("Korvel Config"), window.get()))->move(10, 10);
        }
    }
    korvel::bench::ReportFirstPaint(*window);
    window->show();
    return QApplication::exec();
}
