#include "transfer/Frames.h"

#include "FactoryImage.h"
#include "FrameReceiver.h"
#include "image/BuildImage.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "transfer/Checksum.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace korvel {
namespace {

struct ChecksumCase {
    const char* name;
    std::vector<std::uint8_t> half;
    std::uint8_t expected;
};

class ChecksumTest : public testing::TestWithParam<ChecksumCase> {};

TEST_P(ChecksumTest, MatchesTheTrackersSum) {
    EXPECT_EQ(FrameChecksum(GetParam().half), GetParam().expected);
    if (GetParam().half.size() == sim::kHalf) { // the simulated tracker's own sum agrees
        EXPECT_EQ(sim::TrackerChecksum(GetParam().half.data()), GetParam().expected);
    }
}

std::vector<std::uint8_t> Half(std::uint8_t fill) {
    return std::vector<std::uint8_t>(57, fill);
}

INSTANTIATE_TEST_SUITE_P(
    Halves, ChecksumTest,
    testing::Values(ChecksumCase{"AllZero", Half(0x00), 0xFE},
                    ChecksumCase{"AllFF", Half(0xFF), 0xC5},
                    ChecksumCase{"DefaultsFirstHalf",
                                 {test::kFactoryImage.begin(), test::kFactoryImage.begin() + 57},
                                 0x78},
                    ChecksumCase{"DefaultsSecondHalf",
                                 {test::kFactoryImage.begin() + 57, test::kFactoryImage.end()},
                                 0xC7},
                    ChecksumCase{"OneByteTakesTheSumPast255", {0x02}, 0x00},
                    ChecksumCase{"Empty", {}, 0xFE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChecksumTest, IgnoresTheOrderOfTheBytes) {
    std::vector<std::uint8_t> half(test::kFactoryImage.begin(), test::kFactoryImage.begin() + 57);
    const std::uint8_t expected = FrameChecksum(half);
    std::ranges::reverse(half);
    EXPECT_EQ(FrameChecksum(half), expected);
    std::ranges::sort(half);
    EXPECT_EQ(FrameChecksum(half), expected);
    std::ranges::rotate(half, half.begin() + 20);
    EXPECT_EQ(FrameChecksum(half), expected);
}

TEST(FramesTest, EachFrameIsItsHalfThenItsChecksum) {
    const TransferFrames frames = BuildFrames(test::kFactoryImage);
    EXPECT_TRUE(std::equal(frames.a.begin(), frames.a.begin() + 57, test::kFactoryImage.begin()));
    EXPECT_TRUE(
        std::equal(frames.b.begin(), frames.b.begin() + 57, test::kFactoryImage.begin() + 57));
    EXPECT_EQ(frames.a[57], 0x78);
    EXPECT_EQ(frames.b[57], 0xC7);
}

TEST(FramesTest, FactoryDefaultsGiveTheKnownChecksums) {
    SettingsRecord settings;
    SetDefaults(settings);
    ConfigImage image{};
    ASSERT_TRUE(BuildImage(settings, image).success());
    const TransferFrames frames = BuildFrames(image);
    EXPECT_EQ(frames.a[57], 0x78);
    EXPECT_EQ(frames.b[57], 0xC7);
}

TEST(FramesTest, FrameBytesInsideAreSentUnchanged) {
    ConfigImage image{};
    image.fill(0xFF);
    const TransferFrames frames = BuildFrames(image);
    EXPECT_TRUE(std::all_of(frames.a.begin(), frames.a.begin() + 57,
                            [](std::uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(frames.a[57], 0xC5);
    EXPECT_EQ(frames.b[57], 0xC5);
    EXPECT_EQ(kTransferBytes, 120u);
}

} // namespace
} // namespace korvel
