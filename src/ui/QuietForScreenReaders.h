#pragma once

#include <QAccessible>

namespace korvel {

// While it lives, what `object` does to itself reaches no screen reader; every
// other object's events pass on. A text field puts its text, selection and caret
// in place in one step as the focus arrives or leaves: a reader asks for them
// when it hears of the focus, and the steps on the way (the value without its
// leading zeros selected, then replaced; a selection taken away as the focus
// leaves) would otherwise be spoken as changes ("Selection deleted", a value
// cut short, "Text unselected").
class QuietForScreenReaders {
public:
    explicit QuietForScreenReaders(const QObject* object)
        : object_(object), enclosing_(innermost_),
          previous_(QAccessible::installUpdateHandler(&Filter)) {
        innermost_ = this;
    }
    ~QuietForScreenReaders() {
        QAccessible::installUpdateHandler(previous_);
        innermost_ = enclosing_;
    }
    QuietForScreenReaders(const QuietForScreenReaders&) = delete;
    QuietForScreenReaders& operator=(const QuietForScreenReaders&) = delete;

private:
    static void Filter(QAccessibleEvent* event) {
        QuietForScreenReaders* quiet = innermost_;
        if (event->object() == quiet->object_) {
            return;
        }
        // Passed on by whoever handled the events before (Qt's own bridge when
        // nobody did).
        QAccessible::installUpdateHandler(quiet->previous_);
        QAccessible::updateAccessibility(event);
        QAccessible::installUpdateHandler(&Filter);
    }

    static inline QuietForScreenReaders* innermost_ = nullptr;
    const QObject* object_;
    QuietForScreenReaders* enclosing_;
    QAccessible::UpdateHandler previous_;
};

} // namespace korvel
