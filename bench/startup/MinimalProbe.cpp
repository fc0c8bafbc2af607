// The yardstick: a Qt Widgets program with one empty window. With --label the
// window shows one line of text, which brings in what any window with text
// pays for: the font database, one font and its glyphs.

#include "FirstPaintProbe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        (new QLabel(QStringLiteral("Korvel Config"), &window))->move(10, 10);
    }
    korvel::bench::ReportFirstPaint(window);
    window.show();
    return QApplication::exec();
}
