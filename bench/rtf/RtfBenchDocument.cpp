#include "RtfBenchDocument.h"

#include <string_view>

namespace korvel::bench {
namespace {

constexpr const char* kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n{\\colortbl;\\red31\\green73\\blue125;"
    "\\red0\\green0\\blue238;}\r\n{\\stylesheet{\\s0 Normal;}{\\s1\\b\\fs32 heading 1;}"
    "{\\s2\\b\\fs28 heading 2;}}\r\n{\\info{\\title Bench}}\r\n";

void AddSection(std::string& out, std::size_t n) {
    const std::string number = std::to_string(n);
    out += "\\pard\\plain\\s1\\sb240\\sa120\\b\\fs32\\cf1 Section " + number + "\\par\r\n";
    out += "\\pard\\plain\\s0\\sa120\\fs22 The tracker's {\\b TX DELAY} of caf\\'e9 " + number +
           " is stored in steps of 20/3 ms; a {\\i status} text of 26 characters \\u8364? "
           "carries the position in GPSless mode, and {\\ul every interval} below 10 s is "
           "raised to 10 s before SEND writes it back into the field.\\par\r\n";
    for (int i = 0; i < 3; ++i) {
        out += "{\\pntext\\f1\\'b7\\tab}\\pard\\plain\\li720\\fi-360\\sa60\\fs22 Bullet item " +
               std::to_string(i) + " of section " + number +
               " with {\\b bold} and {\\cf2 coloured} words.\\par\r\n";
    }
    out += "\\trowd\\trgaph108\\cellx2600\\cellx5200\\cellx7800\r\n";
    for (int row = 0; row < 3; ++row) {
        out += "\\pard\\plain\\intbl\\fs20 Speed " + std::to_string(row * 10) +
               "\\cell 0480\\cell 10 to 2550\\cell\\row\r\n";
    }
    out += "\\pard\\plain\\fs22 See {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/" +
           number + "\"}}{\\fldrslt{\\ul\\cf2 the page}}} for more.\\par\r\n";
}

// A document whose body is `piece` again and again.
std::string Repeated(std::string_view piece, std::size_t size) {
    std::string out = "{\\rtf1\\ansi\\ansicpg1252 ";
    while (out.size() < size) {
        out += piece;
    }
    out += "}";
    return out;
}

} // namespace

std::string MakeRtfDocument(std::size_t size) {
    std::string out = kHeader;
    for (std::size_t n = 1; out.size() < size; ++n) {
        AddSection(out, n);
    }
    out += "}\r\n";
    return out;
}

std::string MakeOneWordDocument(std::size_t size) {
    return Repeated("abcdefghijklmnopqrstuvwxyz", size);
}

std::string MakeEscapesDocument(std::size_t size) {
    return Repeated("\\'e9", size);
}

std::string MakeEmptyParagraphsDocument(std::size_t size) {
    return Repeated("\\par ", size);
}

} // namespace korvel::bench
