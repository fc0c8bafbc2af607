#pragma once

#include <QIcon>

namespace korvel {

// The instructions window's icon: a white question mark on a blue page.
QIcon InstructionsIcon();

} // namespace korvel
