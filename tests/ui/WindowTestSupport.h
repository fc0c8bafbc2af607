#pragma once

#include "FakePort.h"
#include "transfer/EventDrivenSender.h"
#include "ui/Setup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvel::test {

// Types `text` into `widget` one key event per character, the way the keyboard
// delivers it: the character arrives as the event's text.
inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// The main window sending to `line` with a short pause between frames, shown
// and active as the user meets it; null when it did not become active.
inline std::unique_ptr<Setup> ActiveSetupOn(const std::shared_ptr<Line>& line) {
    auto setup = std::make_unique<Setup>(std::make_unique<EventDrivenSender>(
        nullptr, [line] { return std::make_unique<FakePort>(line); }, 50));
    setup->show();
    setup->activateWindow();
    return QTest::qWaitForWindowActive(setup.get()) ? std::move(setup) : nullptr;
}

} // namespace korvel::test
