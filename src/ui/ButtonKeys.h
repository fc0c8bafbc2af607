#pragma once

class QPushButton;

namespace korvel {

// Enter and keypad Enter press `button` when it has the focus, as Space does,
// the way push buttons work on every desktop. The window still has no default
// button: Enter in a text field presses nothing.
void LetEnterPress(QPushButton* button);

} // namespace korvel
