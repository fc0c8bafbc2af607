#include "rtf/RtfReader.h"

#include "RtfTestText.h"

#include <functional>
#include <gtest/gtest.h>

namespace korvel::rtf {
namespace {

using test::FirstParagraph;
using test::Flatten;

struct TextCase {
    const char* name;
    const char* rtf;
    const char* text;
};

class ReaderText : public testing::TestWithParam<TextCase> {};

TEST_P(ReaderText, GivesTheDocumentText) {
    const Document document = ReadRtf(GetParam().rtf);
    EXPECT_TRUE(document.isRtf);
    EXPECT_EQ(Flatten(document), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Features, ReaderText,
    testing::Values(
        TextCase{"Plain", R"({\rtf1 Hello world})", "Hello world¶"},
        TextCase{"LineEndsIgnored", "{\\rtf1 Hel\r\nlo}", "Hello¶"},
        TextCase{"CodePageEscapes", R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80 \'93q\'94})",
                 "café € “q”¶"},
        TextCase{"RawHighBytesInCodePage", "{\\rtf1 caf\xe9}", "café¶"},
        TextCase{"UnicodeSkipsOneFallback", R"({\rtf1\uc1 \u8364?x})", "€x¶"},
        TextCase{"UnicodeSkipsTwoFallbacks", R"({\rtf1\uc2 \u8364\'80\'80x})", "€x¶"},
        TextCase{"UnicodeWithoutFallback", R"({\rtf1\uc0 \u233 x})", "éx¶"},
        TextCase{"UnicodeNegative", R"({\rtf1 \u-4064?})", "\uF020¶"},
        TextCase{"UnicodeSurrogatePair", R"({\rtf1 \u-10179?\u-8704?})", "\U0001F600¶"},
        TextCase{"LoneSurrogate", R"({\rtf1 \u-10179?x})", "\uFFFDx¶"},
        TextCase{"SkipCountIsGroupScoped", R"({\rtf1 {\uc2 a}\u233 ?b})", "aéb¶"},
        TextCase{"SkipEndsAtGroup", R"({\rtf1\uc3 \u233 a}b)", "é¶"},
        TextCase{"EscapedSymbols", R"({\rtf1 a\{b\}c\\d\~e\-f\_g})", "a{b}c\\d\u00A0ef\u2011g¶"},
        TextCase{"NamedCharacters",
                 R"({\rtf1 \bullet\emdash\endash\lquote\rquote\ldblquote\rdblquote})", "•—–‘’“”¶"},
        TextCase{"HiddenTextDropped", R"({\rtf1 a{\v hidden}b\v c\v0 d\v e\plain f})", "abdf¶"},
        TextCase{"LineAndTab", R"({\rtf1 a\line b\tab c})", "a\nb\tc¶"},
        TextCase{"Paragraphs", R"({\rtf1 a\par b\par})", "a¶b¶"},
        TextCase{"EscapedLineEndIsParagraph", "{\\rtf1 a\\\nb}", "a¶b¶"},
        TextCase{
            "FontColorStyleTablesCarryNoText",
            R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1 Times;}}{\colortbl;\red255\green0\blue0;})"
            R"({\stylesheet{\s0 Normal;}{\*\cs10 Default;}}Body})",
            "Body¶"},
        TextCase{"InfoAndStarredDestinationsSkipped",
                 R"({\rtf1{\info{\title T}{\author A}}{\*\generator G;}{\*\themedata 01ab})"
                 R"({\*\unknownthing X}{\*\bkmkstart b}Body})",
                 "Body¶"},
        TextCase{"HeadersFootersSkipped", R"({\rtf1{\header H}{\footer F}{\footnote N}Body})",
                 "Body¶"},
        TextCase{
            "SymbolFontBulletMarker",
            R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}{\pntext\f1\'b7\tab}{\*\pn\pnlvlblt{\pntxtb\'b7}}Item\par})",
            "•»Item¶"},
        TextCase{"WingdingsMarker",
                 R"({\rtf1{\fonttbl{\f3\fcharset2 Wingdings;}}{\listtext\f3\'a7\tab}Item\par})",
                 "▪»Item¶"},
        TextCase{"NumberedMarker", R"({\rtf1{\listtext\pard\plain 2.\tab}Second\par})",
                 "2.»Second¶"},
        TextCase{"UnicodeMarker", R"({\rtf1{\listtext\u8226\'95\tab}Item\par})", "•»Item¶"},
        TextCase{"Table",
                 R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl A\cell B\cell\row)"
                 R"(\trowd\cellx1000\cellx2000\pard\intbl C\par D\cell E\cell\row\pard after\par})",
                 "[A|B|/C¶D|E|/]after¶"},
        TextCase{"TableRowPropertiesAfterCells",
                 R"({\rtf1\pard\intbl A\cell B\cell{\trowd\cellx1\cellx2\row}\pard x\par})",
                 "[A|B|/]x¶"},
        TextCase{"TableClosedByEndOfDocument", R"({\rtf1\trowd\cellx9\intbl A\cell})", "[A|/]"},
        TextCase{"HyperlinkResultKept",
                 R"({\rtf1{\field{\*\fldinst{HYPERLINK "https://x.org"}}{\fldrslt{link}}} after})",
                 "link after¶"},
        TextCase{"OtherFieldsShowTheirResult", R"({\rtf1{\field{\*\fldinst PAGE}{\fldrslt 3}}})",
                 "3¶"},
        TextCase{
            "PngPicture",
            R"({\rtf1 a{\*\shppict{\pict\pngblip 89504e47}}{\nonshppict{\pict\wmetafile8 0102}}b})",
            "a<pic>b¶"},
        TextCase{"MetafileDropped", R"({\rtf1 a{\pict\wmetafile8 0102}b})", "ab¶"}),
    [](const auto& info) { return info.param.name; });

// Bytes follow the document's code page, or the character set of the font in use.
INSTANTIATE_TEST_SUITE_P(
    CodePages, ReaderText,
    testing::Values(
        TextCase{"Cyrillic", R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})", "Привет¶"},
        TextCase{"CyrillicRawBytes", "{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0\xe8}", "При¶"},
        TextCase{"CentralEuropean", R"({\rtf1\ansi\ansicpg1250 \'a3\'f3d\'9f P\'f8\'edli\'9a})",
                 "Łódź Příliš¶"},
        TextCase{"Dos437", R"({\rtf1\ansicpg437 caf\'82 \'9b})", "café ¢¶"},
        TextCase{"Dos850", R"({\rtf1\ansicpg850 caf\'82 \'9b})", "café ø¶"},
        TextCase{"UnknownPageReadsAsWestern", R"({\rtf1\ansicpg9999 caf\'e9 \'80 \'81})",
                 "café € \u0081¶"},
        TextCase{"MultiBytePageReadsAsWestern", R"({\rtf1\ansicpg932 caf\'e9})", "café¶"},
        TextCase{"FontCharsetsSwitch",
                 R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset204 Cyr;})"
                 R"({\f2\fcharset161 Greek;}{\f3\fcharset238 CE;}})"
                 R"(\f0 caf\'e9 {\f1 \'c4\'e0} {\f2 \'c1\'e2} \f3\'9a\f0\'9a})",
                 "café Да Αβ šš¶"},
        TextCase{"AnsiCharsetFollowsThePage",
                 R"({\rtf1\ansicpg1251{\fonttbl{\f0\fcharset0 Arial;}{\f1 Plain;}}\f0\'c0\f1\'c1})",
                 "АБ¶"},
        TextCase{"PlainReturnsToTheDefaultFont",
                 R"({\rtf1\deff1{\fonttbl{\f0\fcharset0 A;}{\f1\fcharset204 B;}})"
                 R"(\'c0\f0\'c0\plain\'c0})",
                 "АÀА¶"},
        TextCase{"UndefinedByteIsReplacement", R"({\rtf1\ansicpg1253 \'aa})", "\uFFFD¶"},
        TextCase{"SymbolFontKeepsItsPictures",
                 R"({\rtf1\ansicpg1251{\fonttbl{\f1\fcharset2 Symbol;}}{\f1\'b7}\'b7})", "•·¶"},
        TextCase{"UnicodeWinsOverFallbackBytes",
                 R"({\rtf1\ansicpg1251\uc2 \u8364\'88\'88x\uc1 \u1046\'3f\'c0})", "€xЖА¶"},
        TextCase{"SkippedBytesLeaveTheFontsPage",
                 R"({\rtf1{\fonttbl{\f1\fcharset204 Cyr;}}\f1\uc1\u20013\'c0\'c1})", "中Б¶"}),
    [](const auto& info) { return info.param.name; });

// Symbol and Wingdings put signs and pictures at their byte codes.
INSTANTIATE_TEST_SUITE_P(
    SymbolFonts, ReaderText,
    testing::Values(
        TextCase{
            "SymbolSigns",
            R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}\f1\'b1\'b3\'a3\'6d\'57\'b4\'61\'d6\'a5})",
            "±≥≤μΩ×α√∞¶"},
        TextCase{"SymbolLettersAreGreek",
                 R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}{\f1 p=3,14} p})", "π=3,14 p¶"},
        TextCase{"SymbolKnownByName", R"({\rtf1{\fonttbl{\f1\fnil SYMBOL;}}\f1\'b0\'ae})", "°→¶"},
        TextCase{"SymbolPrivateUseCharacters",
                 R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}\f1\u-3919?\u-3999?})", "±α¶"},
        TextCase{"SymbolEmptyCode", R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}\f1\'80})",
                 "\uFFFD¶"},
        TextCase{"WingdingsPictures",
                 R"({\rtf1{\fonttbl{\f1\fcharset2 Wingdings;}}\f1\'fc\'d8\'6c\'4a\'81\'e0})",
                 "✔⮚●☺①🡪¶"},
        TextCase{"WingdingsWithoutCounterpart",
                 R"({\rtf1{\fonttbl{\f1\fcharset2 Wingdings;}}\f1\'ff})", "\uFFFD¶"},
        TextCase{"OtherSymbolFontKeepsAscii",
                 R"({\rtf1{\fonttbl{\f1\fcharset2 Wingdings 2;}}\f1 a\'b7})", "a•¶"},
        TextCase{"SymbolFieldInsteadOfItsResult",
                 R"({\rtf1{\fonttbl{\f3\fcharset2 Symbol;}}a{\field{\*\fldinst{\f3 SYMBOL 177 \\f )"
                 R"("Symbol" \\s 10}}{\fldrslt{\f3\'b1}}}b})",
                 "a±b¶"},
        TextCase{"SymbolFieldsWithoutResult",
                 R"({\rtf1{\field{\*\fldinst SYMBOL 0xB3 \\f "Symbol"}{\fldrslt}})"
                 R"({\field{\*\fldinst SYMBOL 8364 \\u}} {\field{\*\fldinst SYMBOL 233}}})",
                 "≥€ é¶"},
        TextCase{"SymbolFieldWithBadNumberShowsResult",
                 R"({\rtf1{\field{\*\fldinst SYMBOL x}{\fldrslt r}}})", "r¶"}),
    [](const auto& info) { return info.param.name; });

TEST(Reader, ReadsFontNamesInTheirOwnCharset) {
    const Document document =
        ReadRtf(R"({\rtf1\ansicpg1252{\fonttbl{\f1\fcharset204 \'c0\'f0\'e8\'e0\'eb;}}x})");
    EXPECT_EQ(document.fonts.at(1).name, "Ариал");
}

struct FormatCase {
    const char* name;
    const char* rtf; // the run under test has the text "y"
    std::function<void(CharFormat&)> expected;
};

class ReaderCharFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(ReaderCharFormat, FormatsTheRun) {
    const Document document = ReadRtf(GetParam().rtf);
    const Paragraph paragraph = FirstParagraph(document);
    const rtf::Run* run = nullptr;
    for (const rtf::Run& r : paragraph.runs) {
        if (r.text == "y") {
            run = &r;
        }
    }
    ASSERT_NE(run, nullptr) << Flatten(document);
    CharFormat expected;
    GetParam().expected(expected);
    EXPECT_EQ(run->format, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Features, ReaderCharFormat,
    testing::Values(
        FormatCase{"Bold", R"({\rtf1 x{\b y}z})", [](CharFormat& f) { f.bold = true; }},
        FormatCase{"BoldOff", R"({\rtf1\b x\b0 y})", [](CharFormat&) {}},
        FormatCase{"Italic", R"({\rtf1 x\i y})", [](CharFormat& f) { f.italic = true; }},
        FormatCase{"Underline", R"({\rtf1 x\ul y})", [](CharFormat& f) { f.underline = true; }},
        FormatCase{"UnderlineNone", R"({\rtf1\ul x\ulnone y})", [](CharFormat&) {}},
        FormatCase{"Strike", R"({\rtf1 x\strike y})", [](CharFormat& f) { f.strike = true; }},
        FormatCase{"FontSize", R"({\rtf1 x\fs32 y})", [](CharFormat& f) { f.fontSize = 32; }},
        FormatCase{"ColorAndHighlight", R"({\rtf1 x\cf2\highlight1 y})",
                   [](CharFormat& f) {
                       f.color = 2;
                       f.background = 1;
                   }},
        FormatCase{"Font", R"({\rtf1 x\f1 y})", [](CharFormat& f) { f.font = 1; }},
        FormatCase{"Superscript", R"({\rtf1 x\super y})",
                   [](CharFormat& f) { f.position = VerticalPosition::Superscript; }},
        FormatCase{"Subscript", R"({\rtf1 x\sub y})",
                   [](CharFormat& f) { f.position = VerticalPosition::Subscript; }},
        FormatCase{"PlainResetsToDefaultFont", R"({\rtf1\deff3\b\i\fs40 x\plain y})",
                   [](CharFormat& f) { f.font = 3; }},
        FormatCase{"GroupRestoresFormat", R"({\rtf1 {\b\i x}y})", [](CharFormat&) {}},
        FormatCase{"Link", R"({\rtf1{\field{\*\fldinst HYPERLINK "u"}{\fldrslt y}}})",
                   [](CharFormat& f) { f.link = 0; }}),
    [](const auto& info) { return info.param.name; });

struct ParagraphCase {
    const char* name;
    const char* rtf;
    std::function<void(ParagraphFormat&)> expected;
};

class ReaderParagraphFormat : public testing::TestWithParam<ParagraphCase> {};

TEST_P(ReaderParagraphFormat, FormatsTheParagraph) {
    ParagraphFormat expected;
    GetParam().expected(expected);
    EXPECT_EQ(FirstParagraph(ReadRtf(GetParam().rtf)).format, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Features, ReaderParagraphFormat,
    testing::Values(
        ParagraphCase{"Centered", R"({\rtf1\qc a\par})",
                      [](ParagraphFormat& f) { f.alignment = Alignment::Center; }},
        ParagraphCase{"Right", R"({\rtf1\qr a\par})",
                      [](ParagraphFormat& f) { f.alignment = Alignment::Right; }},
        ParagraphCase{"Justified", R"({\rtf1\qj a\par})",
                      [](ParagraphFormat& f) { f.alignment = Alignment::Justify; }},
        ParagraphCase{"Indents", R"({\rtf1\li720\ri360\fi-360 a\par})",
                      [](ParagraphFormat& f) {
                          f.leftIndent = 720;
                          f.rightIndent = 360;
                          f.firstIndent = -360;
                      }},
        ParagraphCase{"Spacing", R"({\rtf1\sb120\sa240 a\par})",
                      [](ParagraphFormat& f) {
                          f.spaceBefore = 120;
                          f.spaceAfter = 240;
                      }},
        ParagraphCase{"PardResets", R"({\rtf1\qc\li720 \pard a\par})", [](ParagraphFormat&) {}},
        ParagraphCase{"FormatAtParagraphEndCounts", R"({\rtf1 a\qc\par})",
                      [](ParagraphFormat& f) { f.alignment = Alignment::Center; }},
        ParagraphCase{"OutlineLevelIsHeading", R"({\rtf1\outlinelevel1 a\par})",
                      [](ParagraphFormat& f) { f.headingLevel = 2; }},
        ParagraphCase{"HeadingStyleByName",
                      R"({\rtf1{\stylesheet{\s0 Normal;}{\s1\b\fs32 heading 1;}}\s1 a\par})",
                      [](ParagraphFormat& f) { f.headingLevel = 1; }},
        ParagraphCase{"HeadingStyleByOutline",
                      R"({\rtf1{\stylesheet{\s2\outlinelevel2 Titolo;}}\s2 a\par})",
                      [](ParagraphFormat& f) { f.headingLevel = 3; }}),
    [](const auto& info) { return info.param.name; });

TEST(Reader, ReadsFontAndColorTables) {
    const Document document = ReadRtf(
        R"({\rtf1{\fonttbl{\f0\fswiss\fcharset0 Arial{\*\panose 020b};}{\f7\fcharset2 Symbol;}})"
        R"({\colortbl;\red255\green0\blue0;\red0\green0\blue300;}x})");
    ASSERT_EQ(document.fonts.size(), 2U);
    EXPECT_EQ(document.fonts.at(0).name, "Arial");
    EXPECT_EQ(document.fonts.at(7).name, "Symbol");
    EXPECT_EQ(document.fonts.at(7).charset, 2);
    ASSERT_EQ(document.colors.size(), 3U);
    EXPECT_TRUE(document.colors[0].automatic);
    EXPECT_EQ(document.colors[1], (Color{255, 0, 0, false}));
    EXPECT_EQ(document.colors[2], (Color{0, 0, 255, false})); // 300 is clamped
    EXPECT_EQ(document.color(0), nullptr);
    EXPECT_EQ(document.color(9), nullptr);
}

TEST(Reader, ReadsHyperlinkTargetsAndBookmarks) {
    const Document document =
        ReadRtf(R"({\rtf1{\field{\*\fldinst{HYPERLINK "https://a.example/x y"}}{\fldrslt A}})"
                R"({\field{\*\fldinst HYPERLINK \\l "part2"}{\fldrslt B}}\par)"
                R"({\*\bkmkstart part2}Part two{\*\bkmkend part2}\par})");
    EXPECT_EQ(document.links, (std::vector<std::string>{"https://a.example/x y", "#part2"}));
    ASSERT_EQ(document.blocks.size(), 2U);
    const auto& target = std::get<Paragraph>(document.blocks[1]);
    EXPECT_EQ(target.bookmarks, (std::vector<std::string>{"part2"}));
    ASSERT_EQ(target.runs.size(), 1U);
    EXPECT_EQ(target.runs[0].text, "Part two");
    EXPECT_TRUE(std::get<Paragraph>(document.blocks[0]).bookmarks.empty());
}

TEST(Reader, ReadsPicturesWithTheirSize) {
    const Document document =
        ReadRtf(R"({\rtf1{\pict\jpegblip\picwgoal1440\pichgoal720\picscalex50\picscaley200 ff d8 F)"
                "\n"
                R"(F}{\pict\pngblip\bin4 )"
                "\x89PNG"
                "}}");
    ASSERT_EQ(document.pictures.size(), 2U);
    EXPECT_EQ(document.pictures[0].kind, Picture::Kind::Jpeg);
    EXPECT_EQ(document.pictures[0].data, (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF}));
    EXPECT_EQ(document.pictures[0].widthTwips, 720);
    EXPECT_EQ(document.pictures[0].heightTwips, 1440);
    EXPECT_EQ(document.pictures[1].kind, Picture::Kind::Png);
    EXPECT_EQ(document.pictures[1].data, (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'}));
}

TEST(Reader, TakesCellEdgesAndShadingFromTheRowDefinition) {
    const Document document =
        ReadRtf(R"({\rtf1\trowd\cellx1500\clcbpat2\cellx4000\intbl a\cell b\cell\row})");
    ASSERT_EQ(document.blocks.size(), 1U);
    const Row& row = std::get<Table>(document.blocks[0]).rows.at(0);
    ASSERT_EQ(row.cells.size(), 2U);
    EXPECT_EQ(row.cells[0].rightEdge, 1500);
    EXPECT_EQ(row.cells[1].rightEdge, 4000);
    EXPECT_EQ(row.cells[0].background, -1);
    EXPECT_EQ(row.cells[1].background, 2);
}

TEST(Reader, MarksPageBreaks) {
    const Document document = ReadRtf(R"({\rtf1 a\page b\par})");
    ASSERT_EQ(document.blocks.size(), 2U);
    EXPECT_FALSE(std::get<Paragraph>(document.blocks[0]).pageBreakBefore);
    EXPECT_TRUE(std::get<Paragraph>(document.blocks[1]).pageBreakBefore);
}

} // namespace
} // namespace korvel::rtf
