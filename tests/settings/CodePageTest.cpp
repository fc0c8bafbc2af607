#include "settings/CodePage.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(CodePage, EveryByteRoundTripsThroughUnicode) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(UnicodeToCodePage(CodePageToUnicode(byte)), byte) << "byte " << b;
    }
}

TEST(CodePage, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const Utf8Conversion back = Utf8ToCodePage(CodePageToUtf8(all));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.bytes, all);
}

struct Utf8Case {
    const char* utf8;
    std::string bytes;
    bool ok;
};

TEST(CodePage, ConvertsUtf8AndNamesWhatItCannot) {
    const Utf8Case cases[] = {
        {"NOCALL-9", "NOCALL-9", true},
        {"\xE2\x82\xAC", "\x80", true}, // euro sign
        {"\xC3\xA8", "\xE8", true},     // e grave
        {"\xC2\x81", "\x81", true},     // undefined in Windows-1252, kept as C1
        {"\xE2\x98\x83", "", false},    // snowman: not in the code page
        {"\xC3", "", false},            // truncated sequence
        {"\xC0\xAF", "", false},        // overlong
        {"\xED\xA0\x80", "", false},    // surrogate
    };
    for (const Utf8Case& c : cases) {
        const Utf8Conversion r = Utf8ToCodePage(c.utf8);
        EXPECT_EQ(r.ok(), c.ok) << c.utf8;
        if (c.ok) {
            EXPECT_EQ(r.bytes, c.bytes);
        }
    }
    EXPECT_EQ(Utf8ToCodePage("a\xE2\x98\x83").unmappable, U'\u2603');
}

} // namespace
} // namespace korvel
