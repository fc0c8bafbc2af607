#pragma once

#include <cstddef>
#include <string>

namespace korvel::bench {

// A user guide of about `size` bytes as Word or WordPad would write it:
// headings, formatted paragraphs with code-page and Unicode escapes, bullet
// lists, tables and links.
std::string MakeRtfDocument(std::size_t size);

// Shapes that are hard on a layout, each of about `size` bytes.
std::string MakeOneWordDocument(std::size_t size);         // one word, no space
std::string MakeEscapesDocument(std::size_t size);         // \'e9 after \'e9
std::string MakeEmptyParagraphsDocument(std::size_t size); // \par after \par

} // namespace korvel::bench
