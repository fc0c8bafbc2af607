#include "transfer/TransferSession.h"

#include "FactoryImage.h"
#include "FakeTransfer.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

using test::Log;

// Walks a session as the runner does, logging each pause where the runner
// would wait.
struct Rig {
    Log log;
    test::FakePort port{log};
    test::FakeView view{log};

    TransferResult send(std::string commText = "3", std::string portName = {}) {
        TransferSession session(test::kFactoryImage, std::move(commText), port, view,
                                std::move(portName));
        while (const auto pause = session.runToNextPause()) {
            log.push_back("pause " + std::to_string(pause->count()));
        }
        return session.result();
    }
};

TEST(TransferSessionTest, RunsEveryStepInOrder) {
    Rig rig;
    const TransferResult result = rig.send("3");
    const Log expected = {
        "select 3",                                                              // 5
        "open",                                                                  // 6
        "text \r\nSending data on COM3...",                                      // 8
        "ok hidden",                                                             // 9
        "show",                                                                  // 10
        "pause 400",                                                             // 12
        "text \r\nSending data on COM3....",                                     // 13
        "write 2",                                                               // 14
        "pause 10",                                                              // 15
        "write 58",                                                              // 16
        "pause 400",                                                             // 17
        "text \r\nSending data on COM3.....",                                    // 18
        "write 2",                                                               // 19
        "pause 10",                                                              // 20
        "write 58",                                                              // 21
        "pause 400",                                                             // 22
        "text \r\nSending data on COM3......",                                   // 23
        "close",                                                                 // 24
        "pause 400",                                                             // 25
        "text Data sent !\r\n Be shure that the word 'Success!' appears on LCD", // 26
        "ok shown",                                                              // 27
    };
    EXPECT_EQ(rig.log, expected);
    EXPECT_EQ(result.outcome, TransferOutcome::Sent);
}

struct PortTextCase {
    const char* name;
    const char* commText;
    const char* portName;
    const char* selected;
    const char* sendingText;
};

class TransferSessionPortTextTest : public testing::TestWithParam<PortTextCase> {};

TEST_P(TransferSessionPortTextTest, ProgressLineNamesThePort) {
    const PortTextCase& c = GetParam();
    Rig rig;
    rig.send(c.commText, c.portName);
    EXPECT_EQ(rig.log.front(), c.selected);
    EXPECT_EQ(rig.log[2], std::string("text \r\nSending data on ") + c.sendingText + "...");
}

INSTANTIATE_TEST_SUITE_P(Ports, TransferSessionPortTextTest,
                         testing::Values(PortTextCase{"CommTextUnconverted", "7_", "", "select 7",
                                                      "COM7_"},
                                         PortTextCase{"DeviceByItsPath", "1", "/dev/ttyUSB0",
                                                      "select 1", "/dev/ttyUSB0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TransferSessionTest, PortReadingNotOpenEndsSilently) {
    Rig rig;
    rig.port.line().failAt = "notopen";
    const TransferResult result = rig.send();
    EXPECT_EQ(result.outcome, TransferOutcome::PortNotOpen);
    EXPECT_EQ(rig.log, (Log{"select 3", "open"}));
    EXPECT_TRUE(result.error.empty());
    EXPECT_FALSE(rig.view.shown);
}

TEST(TransferSessionTest, PortNumberBeyondSixteenBitsFailsBeforeThePortIsTouched) {
    Rig rig;
    const TransferResult result = rig.send("99999");
    EXPECT_EQ(result.outcome, TransferOutcome::Failed);
    EXPECT_EQ(result.failedAction, Action::SelectPort);
    EXPECT_TRUE(rig.log.empty());
    EXPECT_NE(result.error.find("COM99999"), std::string::npos);
}

} // namespace
} // namespace korvel
