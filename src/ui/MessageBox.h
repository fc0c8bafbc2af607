#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace korvel {

// The program's modal, OK-only message box. Tests switch it to recording mode,
// so that no test waits for a person: the box is then noted and not shown.
class MessageBox {
public:
    enum class Icon { None, Information, Critical };

    struct Shown {
        QString text;
        QString title;
        Icon icon;
    };

    // Shows the box and returns when the user has pressed OK.
    static void show(QWidget* parent, const QString& text, const QString& title, Icon icon);

    // For tests: record boxes instead of showing them, and hand them over.
    static void setRecording(bool recording);
    static QList<Shown> takeRecorded();
};

} // namespace korvel
