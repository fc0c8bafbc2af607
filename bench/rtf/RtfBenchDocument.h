#pragma once

#include <cstddef>
#include <string>

namespace korvel::bench {

// A user guide of about `size` bytes as Word or WordPad would write it:
// headings, formatted paragraphs with code-page and Unicode escapes, bullet
// lists, tables and links.
std::string MakeRtfDocument(std::size_t size);

} // namespace korvel::bench
