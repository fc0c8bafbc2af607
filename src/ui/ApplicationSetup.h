#pragma once

#include <QIcon>

namespace korvel {

// Names the running application after the product (name, version, the desktop
// entry's id) and gives its windows the program's icon. Called once, right
// after the QApplication is made, by the program and by anything that must
// start as the program does.
void SetUpApplication();

// The program's icon: the hand-drawn 16 and 32 pixel images, and the scalable
// drawing for every other size.
QIcon ProgramIcon();

} // namespace korvel
