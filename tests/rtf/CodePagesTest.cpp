#include "rtf/CodePages.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace korvel::rtf {
namespace {

struct ByteCase {
    const char* name;
    int codePage;
    std::uint8_t byte;
    char32_t character;
};

class CodePageBytes : public testing::TestWithParam<ByteCase> {};

TEST_P(CodePageBytes, ReadAsTheirCharacter) {
    EXPECT_EQ(CodePageCharacter(GetParam().codePage, GetParam().byte), GetParam().character);
}

// The first and last byte of each table and a letter in between, so a shifted
// or swapped table shows.
INSTANTIATE_TEST_SUITE_P(
    Tables, CodePageBytes,
    testing::Values(
        ByteCase{"Thai80", 874, 0x80, 0x20AC}, ByteCase{"ThaiKoKai", 874, 0xA1, 0x0E01},
        ByteCase{"ThaiUndefined", 874, 0xDB, 0xFFFD}, ByteCase{"ThaiFF", 874, 0xFF, 0xFFFD},
        ByteCase{"CentralUndefined", 1250, 0x81, 0xFFFD},
        ByteCase{"CentralSCaron", 1250, 0x8A, 0x0160}, ByteCase{"CentralFF", 1250, 0xFF, 0x02D9},
        ByteCase{"Cyrillic80", 1251, 0x80, 0x0402}, ByteCase{"CyrillicA", 1251, 0xC0, 0x0410},
        ByteCase{"CyrillicFF", 1251, 0xFF, 0x044F}, ByteCase{"GreekAlpha", 1253, 0xC1, 0x0391},
        ByteCase{"GreekFF", 1253, 0xFF, 0xFFFD}, ByteCase{"TurkishGBreve", 1254, 0xD0, 0x011E},
        ByteCase{"TurkishFF", 1254, 0xFF, 0x00FF}, ByteCase{"HebrewAlef", 1255, 0xE0, 0x05D0},
        ByteCase{"HebrewFF", 1255, 0xFF, 0xFFFD}, ByteCase{"Arabic81", 1256, 0x81, 0x067E},
        ByteCase{"ArabicAlef", 1256, 0xC7, 0x0627}, ByteCase{"ArabicFF", 1256, 0xFF, 0x06D2},
        ByteCase{"BalticAOgonek", 1257, 0xC0, 0x0104}, ByteCase{"BalticFF", 1257, 0xFF, 0x02D9},
        ByteCase{"VietnameseABreve", 1258, 0xC3, 0x0102},
        ByteCase{"VietnameseHookAbove", 1258, 0xD2, 0x0309},
        ByteCase{"VietnameseFF", 1258, 0xFF, 0x00FF}, ByteCase{"Dos437First", 437, 0x80, 0x00C7},
        ByteCase{"Dos437Cent", 437, 0x9B, 0x00A2}, ByteCase{"Dos437FF", 437, 0xFF, 0x00A0},
        ByteCase{"Dos850OSlash", 850, 0x9B, 0x00F8}, ByteCase{"Dos850FF", 850, 0xFF, 0x00A0},
        ByteCase{"AsciiInDosPage", 437, 'A', 'A'}, ByteCase{"AsciiInThaiPage", 874, '~', '~'},
        // Windows-1252 reads as the tracker's code page: its undefined bytes
        // stay the C1 controls of the same number.
        ByteCase{"WesternEuro", 1252, 0x80, 0x20AC}, ByteCase{"WesternUndefined", 1252, 0x81, 0x81},
        ByteCase{"WesternFF", 1252, 0xFF, 0x00FF}, ByteCase{"UnknownAsWestern", 9999, 0x80, 0x20AC},
        ByteCase{"MultiByteAsWestern", 932, 0xE9, 0x00E9},
        ByteCase{"NegativeAsWestern", -1, 0x93, 0x201C}),
    [](const auto& info) { return info.param.name; });

TEST(CodePages, UnknownOnesFallBackToWestern) {
    for (const int known : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 437, 850}) {
        EXPECT_EQ(SupportedCodePage(known), known);
    }
    for (const int unknown : {0, -1, 932, 936, 949, 950, 1200, 10000, 65001}) {
        EXPECT_EQ(SupportedCodePage(unknown), kDefaultCodePage) << unknown;
    }
}

TEST(CodePages, CharsetsNameTheirCodePage) {
    struct Case {
        int charset;
        int codePage;
    };
    constexpr Case kCases[] = {{238, 1250}, {204, 1251}, {161, 1253}, {162, 1254}, {177, 1255},
                               {178, 1256}, {186, 1257}, {163, 1258}, {222, 874},  {255, 437}};
    for (const Case& c : kCases) {
        EXPECT_EQ(CharsetCodePage(c.charset, 1252), c.codePage) << c.charset;
    }
    // ANSI, default and sets without a table follow the document.
    for (const int charset : {0, 1, 128, 134, 77}) {
        EXPECT_EQ(CharsetCodePage(charset, 1251), 1251) << charset;
    }
}

} // namespace
} // namespace korvel::rtf
