#include "ui/MessageBox.h"

#include <QMessageBox>

namespace korvel {
namespace {

// The test seam's state: off in the program, on only in tests.
struct Recorder {
    bool recording = false;
    QList<MessageBox::Shown> shown;
};

Recorder& TheRecorder() {
    static Recorder recorder;
    return recorder;
}

QMessageBox::Icon ToQt(MessageBox::Icon icon) {
    switch (icon) {
    case MessageBox::Icon::Information:
        return QMessageBox::Information;
    case MessageBox::Icon::Critical:
        return QMessageBox::Critical;
    case MessageBox::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBox::show(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    Recorder& recorder = TheRecorder();
    if (recorder.recording) {
        recorder.shown.append({text, title, icon});
        return;
    }
    QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBox::setRecording(bool recording) {
    TheRecorder().recording = recording;
}

QList<MessageBox::Shown> MessageBox::takeRecorded() {
    QList<Shown> shown;
    shown.swap(TheRecorder().shown);
    return shown;
}

} // namespace korvel
