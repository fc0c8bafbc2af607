#include "rtf/PlainTextRenderer.h"

#include "rtf/RtfReader.h"
#include "rtf/TextWrap.h"

#include <gtest/gtest.h>
#include <sstream>

namespace korvel::rtf {
namespace {

struct RenderCase {
    const char* name;
    const char* rtf;
    int width;
    const char* text;
};

class Renderer : public testing::TestWithParam<RenderCase> {};

TEST_P(Renderer, LaysOutTheDocument) {
    EXPECT_EQ(RenderPlainText(ReadRtf(GetParam().rtf), GetParam().width), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, Renderer,
    testing::Values(
        RenderCase{"Headings",
                   R"({\rtf1\outlinelevel0 Title\par\pard\outlinelevel1 Part\par\pard Body\par})",
                   40, "Title\n=====\n\nPart\n----\n\nBody\n"},
        RenderCase{"Wrapping", R"({\rtf1 one two three four five six seven\par})", 20,
                   "one two three four\nfive six seven\n"},
        RenderCase{"LongWordIsCut", R"({\rtf1 abcdefghijklmnopqrstuvwxyz0123\par})", 20,
                   "abcdefghijklmnopqrst\nuvwxyz0123\n"},
        RenderCase{"Indent", R"({\rtf1\li720 one two three four five\par})", 20,
                   "     one two three\n     four five\n"},
        RenderCase{"BulletsHangAndStayTogether",
                   R"({\rtf1{\listtext\'95\tab}\li720\fi-360 alpha beta gamma delta\par)"
                   R"({\listtext\'95\tab}second\par\pard after\par})",
                   20, "  • alpha beta gamma\n    delta\n  • second\n\nafter\n"},
        RenderCase{"Centered", R"({\rtf1\qc abc\par})", 21, "         abc\n"},
        RenderCase{"LineBreakAndTab", R"({\rtf1 a\tab b\line c\par})", 40, "a       b\nc\n"},
        RenderCase{"EmptyParagraphsGiveOneBlankLine", R"({\rtf1 a\par\par\par b\par})", 40,
                   "a\n\nb\n"},
        RenderCase{"Table",
                   R"({\rtf1\trowd\cellx1\cellx2\intbl Name\cell Value\cell\row)"
                   R"(\trowd\cellx1\cellx2\intbl TX\cell 200 ms\cell\row})",
                   40,
                   "+------+--------+\n| Name | Value  |\n+------+--------+\n"
                   "| TX   | 200 ms |\n+------+--------+\n"},
        RenderCase{
            "NarrowTableWrapsCells",
            R"({\rtf1\trowd\intbl aaaa bbbb cccc dddd eeee ffff\cell gggg hhhh iiii jjjj kkkk\cell\row})",
            30,
            "+--------------+------------+\n| aaaa bbbb    | gggg hhhh  |\n"
            "| cccc dddd    | iiii jjjj  |\n| eeee ffff    | kkkk       |\n"
            "+--------------+------------+\n"},
        RenderCase{
            "LinkAddressShown",
            R"({\rtf1 See {\field{\*\fldinst HYPERLINK "https://x.org"}{\fldrslt site}}.\par})", 60,
            "See site <https://x.org>.\n"},
        RenderCase{"Picture", R"({\rtf1 a{\pict\pngblip 00}b\par})", 40, "a[picture (PNG)]b\n"}),
    [](const auto& info) { return info.param.name; });

TEST(Renderer, NoLineIsWiderThanTheTerminal) {
    std::string rtf = R"({\rtf1\li1440\ri720\fi-720 )";
    for (int i = 0; i < 200; ++i) {
        rtf += "word" + std::to_string(i) + " ";
    }
    rtf += R"(\par\trowd\intbl a\cell b b b b b b b b b b b b b b b b b b b b b\cell c\cell\row})";
    const int width = 30;
    std::istringstream lines(RenderPlainText(ReadRtf(rtf), width));
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(DisplayWidth(line), width) << line;
    }
}

TEST(TextWrap, CountsCharactersNotBytes) {
    EXPECT_EQ(DisplayWidth("café €"), 6);
    EXPECT_EQ(WrapText("àà àà àà", 5, 5), (std::vector<std::string>{"àà àà", "àà"}));
}

} // namespace
} // namespace korvel::rtf
