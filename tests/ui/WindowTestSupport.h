#pragma once

#include "FakePort.h"
#include "settings/FieldTable.h"
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

// The factory text of the field named `name` (e.g. "edMsgRepeat"), from the
// field table.
inline QString FactoryText(const QString& name) {
    const std::string_view text = TraitsOf(FindField(name.toStdString()).value()).defaultText;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

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
