#include "ui/ButtonKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace korvel {
namespace {

class EnterPresses final : public QObject {
public:
    explicit EnterPresses(QPushButton* button) : QObject(button), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != button_ || event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (!enter || !plain || key->isAutoRepeat() || !button_->isEnabled()) {
            return QObject::eventFilter(watched, event);
        }
        button_->click();
        return true;
    }

private:
    QPushButton* button_;
};

} // namespace

void LetEnterPress(QPushButton* button) {
    button->installEventFilter(new EnterPresses(button));
}

} // namespace korvel
