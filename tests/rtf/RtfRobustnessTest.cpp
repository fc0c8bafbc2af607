#include "RtfTestText.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

namespace korvel::rtf {
namespace {

using test::FirstParagraph;
using test::Flatten;

struct NotRtfCase {
    const char* name;
    std::string input;
};

class ReaderNotRtf : public testing::TestWithParam<NotRtfCase> {};

TEST_P(ReaderNotRtf, ReportsNotRtf) {
    const Document document = ReadRtf(GetParam().input);
    EXPECT_FALSE(document.isRtf);
    EXPECT_TRUE(document.blocks.empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, ReaderNotRtf,
                         testing::Values(NotRtfCase{"Empty", ""},
                                         NotRtfCase{"PlainText", "Hello {\\rtf1 x}"},
                                         NotRtfCase{"BraceOnly", "{"},
                                         NotRtfCase{"OtherControlWord", "{\\rtfx1 a}"},
                                         NotRtfCase{"NoBrace", "\\rtf1 a"},
                                         NotRtfCase{"Binary", std::string("\0\x89PNG", 5)}),
                         [](const auto& info) { return info.param.name; });

TEST(Reader, AcceptsLeadingWhiteSpaceAndMinimalHeader) {
    EXPECT_TRUE(ReadRtf("\r\n  {\\rtf1 a}").isRtf);
    EXPECT_TRUE(ReadRtf("{\\rtf").isRtf);
}

struct BrokenCase {
    const char* name;
    std::string rtf;
    const char* text;
};

class ReaderBroken : public testing::TestWithParam<BrokenCase> {};

TEST_P(ReaderBroken, KeepsWhatCanBeRead) {
    const Document document = ReadRtf(GetParam().rtf);
    EXPECT_TRUE(document.isRtf);
    EXPECT_EQ(Flatten(document), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ReaderBroken,
    testing::Values(
        BrokenCase{"ExtraClosingBraces", R"({\rtf1 a}}}} b)", "a¶"},
        BrokenCase{"MissingClosingBraces", R"({\rtf1 {{{a\par b)", "a¶b¶"},
        BrokenCase{"TruncatedHexEscape", R"({\rtf1 a\')", "a¶"},
        BrokenCase{"BadHexEscape", R"({\rtf1 a\'zzb})", "azzb¶"},
        BrokenCase{"TruncatedControlWord", R"({\rtf1 a\)", "a¶"},
        BrokenCase{"TruncatedUnicode", R"({\rtf1 a\u)", "a¶"},
        BrokenCase{"TruncatedPicture", R"({\rtf1 a{\pict\pngblip 8950)", "a<pic>¶"},
        BrokenCase{"TruncatedField", R"({\rtf1{\field{\*\fldinst HYPERLINK "x)", ""},
        BrokenCase{"TruncatedTable", R"({\rtf1\trowd\cellx100\intbl a\cell b)", "[a|b|/]"},
        BrokenCase{"HugeFontSize", R"({\rtf1\fs99999999999999999999 a})", "a¶"},
        BrokenCase{"HugeUnicode", R"({\rtf1\u99999999999 a})", "\uFFFD¶"},
        BrokenCase{"HugeSkipCount", R"({\rtf1{\uc99999999999 \u233 abc}d})", "éd¶"},
        BrokenCase{"HugeBinaryLength", R"({\rtf1 a\bin99999999999 xyz})", "a¶"},
        BrokenCase{"NegativeBinaryLength", R"({\rtf1 a\bin-5 b})", "ab¶"},
        BrokenCase{"LongControlWord", "{\\rtf1 a\\" + std::string(10000, 'q') + " b}", "ab¶"},
        BrokenCase{"LongNumber", "{\\rtf1 a\\fs" + std::string(10000, '9') + " b}", "ab¶"},
        BrokenCase{"HugeCellCount",
                   R"({\rtf1\intbl)" +
                       [] {
                           std::string cells;
                           for (int i = 0; i < 1000; ++i) {
                               cells += "\\cellx1";
                           }
                           return cells;
                       }() +
                       R"(a\cell\row})",
                   "[a|/]"},
        BrokenCase{"ControlCharactersDropped",
                   std::string("{\\rtf1 a\x01\x1f"
                               "b}"),
                   "ab¶"}),
    [](const auto& info) { return info.param.name; });

TEST(Reader, ClampsHugeNumbersInControlWords) {
    const Paragraph paragraph =
        FirstParagraph(ReadRtf(R"({\rtf1\li-99999999999999\sa99999999999\fs99999999999 a\par})"));
    EXPECT_EQ(paragraph.format.leftIndent, -31680);
    EXPECT_EQ(paragraph.format.spaceAfter, 31680);
    ASSERT_EQ(paragraph.runs.size(), 1U);
    EXPECT_EQ(paragraph.runs[0].format.fontSize, 3276);
}

TEST(Reader, ReadsNestingUpToTheLimit) {
    const int depth = kMaxGroupDepth - 2;
    const std::string rtf =
        "{\\rtf1 a" + std::string(depth, '{') + "\\b b" + std::string(depth, '}') + "c}";
    const Paragraph paragraph = FirstParagraph(ReadRtf(rtf));
    ASSERT_EQ(paragraph.runs.size(), 3U);
    EXPECT_TRUE(paragraph.runs[1].format.bold);
    EXPECT_FALSE(paragraph.runs[2].format.bold);
}

TEST(Reader, DropsOnlyWhatLiesBeyondTheDepthLimit) {
    const int depth = 100000;
    const std::string rtf =
        "{\\rtf1 a" + std::string(depth, '{') + "b" + std::string(depth, '}') + "c\\par d}";
    EXPECT_EQ(Flatten(ReadRtf(rtf)), "ac¶d¶");
}

TEST(Reader, SurvivesManyUnclosedGroups) {
    EXPECT_EQ(Flatten(ReadRtf("{\\rtf1 a" + std::string(100000, '{'))), "a¶");
}

TEST(Reader, RepeatedRowDefinitionsStayCheap) {
    // A wide row definition followed by many one-cell rows: each row keeps only
    // the edges of its own cells.
    std::string rtf = "{\\rtf1\\trowd";
    for (int i = 0; i < 60; ++i) {
        rtf += "\\cellx" + std::to_string((i + 1) * 100);
    }
    for (int i = 0; i < 1000; ++i) {
        rtf += "\\intbl x\\cell\\row";
    }
    const Document document = ReadRtf(rtf + "}");
    ASSERT_EQ(document.blocks.size(), 1U);
    const Table& table = std::get<Table>(document.blocks[0]);
    EXPECT_EQ(table.rows.size(), 1000U);
    EXPECT_EQ(table.rows.back().cells.size(), 1U);
    EXPECT_EQ(table.rows.back().cells[0].rightEdge, 100);
}

} // namespace
} // namespace korvel::rtf
