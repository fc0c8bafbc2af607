#pragma once

#include "transfer/EventDrivenSender.h"
#include "transfer/SerialPort.h"
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

// What a fake serial line saw.
struct Line {
    std::vector<std::uint8_t> bytes;
    int writes = 0;
    int selectedNumber = -1;
    bool open = false;
    std::string failSelect; // when set, choosing the port fails with this message
    std::string failOpen;   // when set, opening fails with this message
};

// A serial port that records what is written to it instead of sending it.
class FakePort : public SerialPort {
public:
    explicit FakePort(std::shared_ptr<Line> line) : line_(std::move(line)) {}

    std::optional<std::string> select(int number) override {
        line_->selectedNumber = number;
        if (number < 1) {
            return "No serial port chosen";
        }
        if (!line_->failSelect.empty()) {
            return line_->failSelect;
        }
        return std::nullopt;
    }
    std::optional<std::string> open() override {
        if (!line_->failOpen.empty()) {
            return line_->failOpen;
        }
        line_->open = true;
        return std::nullopt;
    }
    bool isOpen() const override { return line_->open; }
    std::optional<std::string> write(std::span<const std::uint8_t> bytes) override {
        line_->bytes.insert(line_->bytes.end(), bytes.begin(), bytes.end());
        ++line_->writes;
        return std::nullopt;
    }
    std::optional<std::string> close() override {
        line_->open = false;
        return std::nullopt;
    }

private:
    std::shared_ptr<Line> line_;
};

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
