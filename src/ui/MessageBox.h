#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace korvel {

// The program's modal message boxes: OK-only, or a Yes/No question. Tests switch it to recording
// mode, so that no test waits for a person: the box is then noted and not shown.
class MessageBox {
public:
    // The title of the program's own boxes and of the result dialog.
    static QString programTitle() { return QStringLiteral("Korvel"); }

    enum class Icon { None, Information, Critical, Question };

    struct Shown {
        QString text;
        QString title;
        Icon icon;
    };

    // Shows the box and returns when the user has pressed OK.
    static void show(QWidget* parent, const QString& text, const QString& title, Icon icon);

    // Asks a question with Yes and No, No being the default; true for Yes.
    static bool ask(QWidget* parent, const QString& text, const QString& title);

    // For tests: record boxes instead of showing them, and hand them over. A
    // recorded question is kept apart from the other boxes and gets Yes, so
    // that a flow that asks goes on as before.
    static void setRecording(bool recording);
    static QList<Shown> takeRecorded();
    static QList<Shown> takeAsked();
};

} // namespace korvel
