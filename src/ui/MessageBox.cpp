#include "ui/MessageBox.h"

#include <QMessageBox>

namespace korvel {
namespace {

// The test seam's state: off in the program, on only in tests.
struct Recorder {
    bool recording = false;
    QList<MessageBox::Shown> shown;
    QList<MessageBox::Shown> asked;
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
    case MessageBox::Icon::Question:
        return QMessageBox::Question;
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

bool MessageBox::ask(QWidget* parent, const QString& text, const QString& title) {
    Recorder& recorder = TheRecorder();
    if (recorder.recording) {
        recorder.asked.append({text, title, Icon::Question});
        return true; // a recorded question is answered Yes
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBox::setRecording(bool recording) {
    TheRecorder().recording = recording;
}

QList<MessageBox::Shown> MessageBox::takeRecorded() {
    QList<Shown> shown;
    shown.swap(TheRecorder().shown);
    return shown;
}

QList<MessageBox::Shown> MessageBox::takeAsked() {
    QList<Shown> asked;
    asked.swap(TheRecorder().asked);
    return asked;
}

} // namespace korvel
