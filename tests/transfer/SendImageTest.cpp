#include "transfer/SendImage.h"

#include "DefaultImage.h"
#include "FakeTransfer.h"
#include "transfer/Frames.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace korvel {
namespace {

using test::Log;

struct Rig {
    Log log;
    test::FakePort port{log};
    test::FakeView view{log};
    test::FakePauses pauses{log};
    test::FakeErrors errors;

    TransferResult send(std::string_view commText = "3") {
        return SendImage(test::kDefaultImage, commText, port, pauses, view, errors);
    }
};

TEST(SendImageTest, RunsEveryStepInOrder) {
    Rig rig;
    const TransferResult result = rig.send("3");
    const Log expected = {
        "select 3",                                                              // 5
        "open",                                                                  // 6
        "text \r\nSending data on COM3...",                                      // 8
        "ok hidden",                                                             // 9
        "show",                                                                  // 10
        "pump",                                                                  // 11
        "pause 400",                                                             // 12
        "text \r\nSending data on COM3....",                                     // 13
        "pump",                                                                  //
        "write 2",                                                               // 14
        "pause 10",                                                              // 15
        "write 58",                                                              // 16
        "pause 400",                                                             // 17
        "text \r\nSending data on COM3.....",                                    // 18
        "pump",                                                                  //
        "write 2",                                                               // 19
        "pause 10",                                                              // 20
        "write 58",                                                              // 21
        "pause 400",                                                             // 22
        "text \r\nSending data on COM3......",                                   // 23
        "pump",                                                                  //
        "close",                                                                 // 24
        "pause 400",                                                             // 25
        "text Data sent !\r\n Be shure that the word 'Success!' appears on LCD", // 26
        "ok shown",                                                              // 27
    };
    EXPECT_EQ(rig.log, expected);
    EXPECT_EQ(result.outcome, TransferOutcome::Sent);
    EXPECT_TRUE(rig.errors.reported.empty());
}

TEST(SendImageTest, PutsExactlyTheFramedImageOnTheLine) {
    Rig rig;
    rig.send();
    ASSERT_EQ(rig.port.line.size(), 120u);
    const TransferFrames frames = BuildFrames(test::kDefaultImage);
    std::vector<std::uint8_t> expected = {0xFF, 0xFF};
    expected.insert(expected.end(), frames.a.begin(), frames.a.end());
    expected.insert(expected.end(), {0xFF, 0xFF});
    expected.insert(expected.end(), frames.b.begin(), frames.b.end());
    EXPECT_EQ(rig.port.line, expected);
    EXPECT_FALSE(rig.port.isOpen());
}

TEST(SendImageTest, ProgressLineShowsThePortTextUnconverted) {
    Rig rig;
    rig.send("7_");
    EXPECT_EQ(rig.log.front(), "select 7");
    EXPECT_EQ(rig.log[2], "text \r\nSending data on COM7_...");
}

TEST(SendImageTest, ASecondTransferHidesOkAndRestartsTheProgressLine) {
    Rig rig;
    rig.send();
    rig.log.clear();
    rig.send();
    EXPECT_EQ(rig.log[2], "text \r\nSending data on COM3...");
    EXPECT_EQ(rig.log[3], "ok hidden");
}

TEST(SendImageTest, PortReadingNotOpenEndsSilently) {
    Rig rig;
    rig.port.failAt = "notopen";
    const TransferResult result = rig.send();
    EXPECT_EQ(result.outcome, TransferOutcome::PortNotOpen);
    EXPECT_EQ(rig.log, (Log{"select 3", "open"}));
    EXPECT_TRUE(rig.errors.reported.empty());
    EXPECT_FALSE(rig.view.shown);
}

TEST(SendImageTest, PortNumberBeyondSixteenBitsFailsBeforeThePortIsTouched) {
    Rig rig;
    const TransferResult result = rig.send("99999");
    EXPECT_EQ(result.outcome, TransferOutcome::Failed);
    EXPECT_EQ(result.failedStep, 5);
    EXPECT_TRUE(rig.log.empty());
    ASSERT_EQ(rig.errors.reported.size(), 1u);
    EXPECT_NE(rig.errors.reported[0].find("COM99999"), std::string::npos);
}

struct FailureCase {
    const char* failAt;
    int failedStep;
    std::size_t bytesOnLine;
    bool dialogShown;
    std::string textLeft; // the dialog's text the failure leaves
    Log tail;             // the last things done
};

class SendImageFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(SendImageFailureTest, StopsAtTheFailingStepWithThePortClosed) {
    const FailureCase& c = GetParam();
    Rig rig;
    rig.port.failAt = c.failAt;
    const TransferResult result = rig.send();

    EXPECT_EQ(result.outcome, TransferOutcome::Failed);
    EXPECT_EQ(result.failedStep, c.failedStep);
    ASSERT_EQ(rig.errors.reported.size(), 1u);
    EXPECT_EQ(rig.errors.reported[0], "COM3: " + std::string(c.failAt) + " failed");
    EXPECT_EQ(result.error, rig.errors.reported[0]);
    EXPECT_EQ(rig.port.line.size(), c.bytesOnLine);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.view.shown, c.dialogShown);
    EXPECT_EQ(rig.view.text_, c.textLeft);
    if (c.dialogShown) {
        EXPECT_FALSE(rig.view.okVisible);
    }
    // Nothing happens after the failing operation but closing a port left open.
    ASSERT_GE(rig.log.size(), c.tail.size());
    EXPECT_EQ(Log(rig.log.end() - static_cast<std::ptrdiff_t>(c.tail.size()), rig.log.end()),
              c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, SendImageFailureTest,
    testing::Values(
        FailureCase{"select", 5, 0, false, "", {"select 3"}},
        FailureCase{"open", 6, 0, false, "", {"select 3", "open"}},
        FailureCase{"write1", 14, 0, true, "\r\nSending data on COM3....", {"write 2", "close"}},
        FailureCase{"write2", 16, 2, true, "\r\nSending data on COM3....", {"write 58", "close"}},
        FailureCase{"write3", 19, 60, true, "\r\nSending data on COM3.....", {"write 2", "close"}},
        FailureCase{"write4", 21, 62, true, "\r\nSending data on COM3.....", {"write 58", "close"}},
        FailureCase{"close", 24, 120, true, "\r\nSending data on COM3......", {"pump", "close"}}),
    [](const auto& info) { return std::string(info.param.failAt); });

} // namespace
} // namespace korvel
