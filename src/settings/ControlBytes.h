#pragma once

#include <string>
#include <string_view>

namespace korvel {

// `text` with its control bytes written out, so that a value shown on a
// terminal or in a message can neither move the cursor nor repaint the screen,
// and stays on its own line: CR, LF and TAB as \r, \n and \t, every other byte
// below 0x20 and DEL as \xHH (ESC as \x1B). Every other byte is kept, so the
// text may be code-page bytes or UTF-8 alike, and escaping twice changes
// nothing more.
std::string EscapeControlBytes(std::string_view text);

} // namespace korvel
