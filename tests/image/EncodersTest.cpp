#include "image/AprsPath.h"
#include "image/PutCallsign.h"
#include "image/PutText.h"
#include "settings/RoundHalfEven.h"

#include <gtest/gtest.h>
#include <limits>

namespace korvel {
namespace {

using namespace std::string_literals;

std::string Bytes(const ConfigImage& image, std::size_t from, std::size_t count) {
    return std::string(reinterpret_cast<const char*>(image.data() + from), count);
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const std::pair<double, double> cases[] = {
        {4.5, 4},
        {5.5, 6},
        {255.5, 256},
        {254.5, 254},
        {9.5, 10},
        {0.5, 0},
        {1.5, 2},
        {4.4999, 4},
        {4.5001, 5},
        {30 * 0.15, 4},
        {1 / 0.15, 7},
        {-2.5, -2},
        {-3.5, -4},
        {1e300, 1e300},
        {-kInfinity, -kInfinity},
        {kInfinity, kInfinity},
    };
    for (const auto& [x, rounded] : cases) {
        EXPECT_EQ(RoundHalfEven(x), rounded) << x;
    }
}

TEST(PutText, WritesTheBytesThenOneZeroAndMovesOnToIt) {
    ConfigImage image;
    image.fill(0xAA);
    std::size_t position = 45;
    EXPECT_TRUE(PutText(image, position, "Hi\xE9"));
    EXPECT_EQ(position, 48u);
    EXPECT_EQ(Bytes(image, 44, 6), "\xAAHi\xE9\0\xAA"s);

    position = 79;
    EXPECT_TRUE(PutText(image, position, ""));
    EXPECT_EQ(position, 79u);
    EXPECT_EQ(image[79], 0);
    EXPECT_EQ(image[80], 0xAA);
}

TEST(PutText, StopsAtTheEndOfTheImageKeepingWhatItWrote) {
    ConfigImage image{};
    std::size_t position = 79;
    EXPECT_TRUE(PutText(image, position, std::string(34, 'm'))); // its 0 lands on 113
    EXPECT_EQ(position, 113u);

    image.fill(0);
    position = 79;
    const auto put = PutText(image, position, std::string(35, 'm'));
    ASSERT_FALSE(put);
    EXPECT_EQ(put.error(), "runs past offset 113");
    EXPECT_EQ(Bytes(image, 79, 35), std::string(35, 'm'));

    image.fill(0);
    position = 110;
    EXPECT_FALSE(PutText(image, position, "abcdef"));
    EXPECT_EQ(Bytes(image, 110, 4), "abcd");
}

struct CallsignCase {
    std::string text;
    std::string entry; // seven bytes
    std::string normalised;
};

TEST(PutCallsign, EncodesAndNormalisesTheCallsignForms) {
    const CallsignCase cases[] = {
        {"NOCALL-9", "NOCALL9", "NOCALL-9"},
        {"WIDE1-1", "WIDE1 1", "WIDE1-1"},
        {"LONGCALL-3", "LONGCA3", "LONGCA-3"},
        {"N1CALL-15", "N1CALL?", "N1CALL-15"},
        {"N1CALL-10", "N1CALL:", "N1CALL-10"},
        {"N1CALL-0", "N1CALL0", "N1CALL"},
        {"AB", "AB    0", "AB"},
        {"AB-0", "AB    0", "AB"},
        {"AB-05", "AB    5", "AB-05"},
        {"AB-16", "AB    0", "AB"},
        {"AB-", "AB    0", "AB"},
        {"AB-X", "AB    0", "AB"},
        {"AB-7X", "AB    7", "AB-7X"},
        {"AB-+7", "AB    7", "AB-+7"},
        {"AB-1-2", "AB    1", "AB-1-2"},
        {"-AB-7", "-AB   7", "-AB-7"},
        {"-7", "-7    0", "-7"},
        {"  AB-3  ", "AB    3", "AB-3"},
        {"AB -3", "AB    3", "AB-3"},
        {"ABCDEFG", "ABCDEF0", "ABCDEF"},
        {"", "      0", ""},
        {"   ", "      0", ""},
        // A negative SSID is no SSID: it must not reach the air as "+" or below.
        {"AB--5", "AB    0", "AB"},
        {"AB--48", "AB    0", "AB"},
        {"AB--100", "AB    0", "AB"},
    };
    for (const CallsignCase& c : cases) {
        ConfigImage image{};
        std::size_t position = 16;
        const auto encoded = PutCallsign(image, position, c.text, false);
        ASSERT_TRUE(encoded) << c.text;
        EXPECT_EQ(Bytes(image, 16, 7), c.entry) << "'" << c.text << "'";
        EXPECT_EQ(*encoded, c.normalised) << "'" << c.text << "'";
        EXPECT_EQ(position, 22u);
        EXPECT_EQ(image[23], 0);
    }
}

TEST(PutCallsign, LastEntryEndsTheListWithOneZero) {
    ConfigImage image;
    image.fill(0xAA);
    std::size_t position = 30;
    EXPECT_TRUE(PutCallsign(image, position, "WIDE2-2", true));
    EXPECT_EQ(position, 36u);
    EXPECT_EQ(Bytes(image, 30, 9), "WIDE2 2\0\xAA"s);
}

TEST(PutCallsign, SsidCodeBeyondSixteenBitsFailsWritingNothing) {
    for (const std::string text : {"A-32720", "A-99999", "A--32817", "A-9999999"}) {
        ConfigImage image{};
        std::size_t position = 23;
        const auto encoded = PutCallsign(image, position, text, true);
        ASSERT_FALSE(encoded) << text;
        EXPECT_NE(encoded.error().find("does not fit 16 bits"), std::string::npos);
        EXPECT_EQ(image, ConfigImage{}) << text;
    }
    // The edges that still fit 16 bits: too large or negative, so no SSID.
    for (const std::string text : {"A-32719", "A--32816"}) {
        ConfigImage image{};
        std::size_t position = 23;
        const auto encoded = PutCallsign(image, position, text, true);
        ASSERT_TRUE(encoded) << text;
        EXPECT_EQ(*encoded, "A");
        EXPECT_EQ(image[29], '0');
    }
}

TEST(PutCallsign, StopsAtTheEndOfTheImage) {
    ConfigImage image{};
    std::size_t position = 110;
    const auto encoded = PutCallsign(image, position, "ABCDEF-1", false);
    ASSERT_FALSE(encoded);
    EXPECT_EQ(Bytes(image, 110, 4), "ABCD");

    position = 107; // the entry fits, its closing 0 would not
    EXPECT_FALSE(PutCallsign(image, position, "ABCDEF-1", true));
    position = 107;
    EXPECT_TRUE(PutCallsign(image, position, "ABCDEF-1", false));
}

struct PathCase {
    std::string path;
    std::string entries; // offsets 30 to 44
    std::string normalised;
};

// A comma always separates; the normalised text shows exactly what was written.
TEST(PutAprsPath, SplitsAtCommasIntoTwoAddresses) {
    const std::string zeros(15, '\0');
    const PathCase cases[] = {
        {"WIDE1-1,WIDE2-2", "WIDE1 1WIDE2 2\0"s, "WIDE1-1,WIDE2-2"},
        {"WIDE2-2", "WIDE2 2\0"s + std::string(7, '\0'), "WIDE2-2"},
        {"WIDE2-2,", "WIDE2 2      0\0"s, "WIDE2-2,"},
        {"", zeros, ""},
        {"A,B,C", "A     0B     0\0"s, "A,B"},
        {"WIDE1-1,WIDE2-2,WIDE3-3", "WIDE1 1WIDE2 2\0"s, "WIDE1-1,WIDE2-2"},
        {"WIDE1-0,WIDE2-16", "WIDE1 0WIDE2 0\0"s, "WIDE1,WIDE2"},
        {",A", "      0A     0\0"s, ",A"},
        {",A,B", "      0A     0\0"s, ",A"},
        {"A,,B", "A     0      0\0"s, "A,"},
        {"LONGCALL-3,RELAY", "LONGCA3RELAY 0\0"s, "LONGCA-3,RELAY"},
    };
    for (const PathCase& c : cases) {
        ConfigImage image{};
        const auto encoded = PutAprsPath(image, c.path);
        ASSERT_TRUE(encoded) << c.path;
        EXPECT_EQ(Bytes(image, 30, 15), c.entries) << "'" << c.path << "'";
        EXPECT_EQ(*encoded, c.normalised) << "'" << c.path << "'";
    }
}

TEST(PutAprsPath, FailsOnEitherAddress) {
    ConfigImage image{};
    EXPECT_FALSE(PutAprsPath(image, "A-99999"));
    EXPECT_FALSE(PutAprsPath(image, "A,B-99999"));
    EXPECT_EQ(Bytes(image, 30, 7), "A     0"); // the first entry stays
}

} // namespace
} // namespace korvel
