// korvel-config check, symbols and air, and the warnings of send, as a user runs them.

#include "CliRun.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using korvel::clitest::Outcome;
using korvel::clitest::Slurp;

class Advice : public korvel::clitest::CliRun {};

struct Case {
    std::string arguments;
    int exitCode;
    std::vector<std::string> out; // parts of standard output, in this order
    std::string err;              // part of standard error
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << "korvel-config " << c.arguments;
}

class Commands : public Advice, public testing::WithParamInterface<Case> {};

TEST_P(Commands, PrintAndExitAsDocumented) {
    const Case& c = GetParam();
    const Outcome r = run(c.arguments);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    std::size_t from = 0;
    for (const std::string& part : c.out) {
        from = r.out.find(part, from);
        ASSERT_NE(from, std::string::npos) << part << "\n" << r.out;
    }
    if (c.out.empty()) {
        EXPECT_EQ(r.out, "");
    }
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
}

const std::string kOwnSettings =
    " --set edMyCall=IK0ABC-9 --set edDestCall=IK0XYZ --set edAprsPath=WIDE1-1,WIDE2-1";

INSTANTIATE_TEST_SUITE_P(
    KorvelConfig, Commands,
    testing::Values(
        Case{"check",
             1,
             {"warning: MY CALLSIGN: The tracker will transmit as NOCALL-9,",
              "\nwarning: APRS message TO CALL: Messages will be addressed to NOCALL,"},
             ""},
        Case{"check" + kOwnSettings, 0, {}, ""},
        Case{"check --json" + kOwnSettings, 0, {"[\n]\n"}, ""},
        Case{"check --json --set edDestCall=IK0XYZ",
             1,
             {"\"caption\": \"MY CALLSIGN\"", "\"field\": \"edMyCall\"",
              "\"message\": \"The tracker will transmit as NOCALL-9,", "\"severity\": \"warning\""},
             ""},
        // A backslash, a quote, a control byte and code-page text in what the
        // tracker sends.
        Case{"check --json --set \"edMyCall=$(printf 'A\\\"\\001\\302\\251')\"",
             1,
             {"\"message\": \"The tracker will send A\\\\\\\"\\u0001\xC2\xA9 ("},
             ""},
        Case{"check --set edNumFlagsAuto=12345", 2, {}, "TX DELAY"},
        // What SEND would refuse: an error with SEND's reason, and its own exit code.
        Case{"check" + kOwnSettings + " --set edMyCall=",
             4,
             {"error: MY CALLSIGN: SEND refuses the settings: empty."},
             ""},
        Case{"check" + kOwnSettings + " --set edReceiver=",
             4,
             {"error: Unprotocol call: SEND refuses"},
             ""},
        Case{"check" + kOwnSettings + " --set cbMicEMsg=-1",
             4,
             {"error: Mic-E msg: SEND refuses the settings: no entry selected."},
             ""},
        Case{"check" + kOwnSettings + " --set edNumFlagsAuto=997",
             4,
             {"error: TX DELAY: SEND refuses"},
             ""},
        Case{"check" + kOwnSettings + " --set edManualTime=2555",
             4,
             {"error: Manual Timing Every: SEND refuses the settings: 256 does not fit a byte."},
             ""},
        Case{"check --json" + kOwnSettings + " --set edMsgRepeat=256",
             4,
             {"\"field\": \"edMsgRepeat\"", "\"severity\": \"error\""},
             ""},
        // Numbers as a person types them: fewer digits than the field has.
        Case{"check" + kOwnSettings + " --set edManualTime=120", 0, {}, ""},
        Case{"check" + kOwnSettings + " --set edManualTime=45", 1, {"every 40 seconds"}, ""},
        Case{
            "check" + kOwnSettings + " --set edNumFlagsAuto=5000", 2, {}, "does not fit the field"},
        Case{"check --bogus", 2, {}, "unknown option '--bogus'"},
        Case{"symbols", 0, {"/! Police, Sheriff\n", "/> Car\n", "\\~ TNC stream switch\n"}, ""},
        Case{
            "symbols --json",
            0,
            {"\"name\": \"Car\",", "\"symbol\": \">\",", "\"table\": \"/\"", "\"table\": \"\\\\\""},
            ""},
        Case{"symbols --all", 2, {}, "unknown option '--all'"},
        Case{"air",
             0,
             {"NOCALL-9>TURWX5,WIDE1-1,WIDE2-2:`", "\n  position: 41 bytes, ",
              "\nNOCALL-9>QKORVL,WIDE1-1,WIDE2-2:>Korvel v2.5 by QX7ZUL Tev\n",
              "\nNOCALL-9>QKORVL,WIDE1-1,WIDE2-2::NOCALL   :Message sent using Korvel ver 2.5!\n",
              "\nManual Timing Every      120 s", "\nSpeed > 125 Km/h          90 s",
              "\nAssumptions:\n- "},
             ""},
        Case{"air --json --at -33.8688,151.2093 --set edAprsPath=",
             0,
             {"\"assumptions\": [", "\"copies\": 1,", "\"hops\": 0,", "\"kind\": \"position\",",
              "\"tnc2\": \"NOCALL-9>SSU2Q3:`", "\"band\": \"Manual Timing Every\",",
              "\"field\": \"esSpeedTable(6)\",", "\"interval_s\": 90,"},
             ""},
        Case{"air --at 91,0", 2, {}, "korvel-config air: --at: the latitude is -90 to 90"},
        Case{"air --at 45.46", 2, {}, "--at: a position is LAT,LON in decimal degrees"},
        Case{"air --set edReceiver=", 2, {}, "Unprotocol call (edReceiver): empty"}));

TEST_F(Advice, SymbolsListsAllOfBothTables) {
    const Outcome r = run("symbols");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 188);
}

// The warnings come before the transfer starts, so they show even when it fails.
TEST_F(Advice, SendPrintsTheWarningsBeforeSending) {
    const Outcome r = run("send --device '" + (dir / "no-such-device").string() + "'");
    EXPECT_EQ(r.exitCode, 3) << r.err;
    const std::size_t warning = r.err.find("warning: MY CALLSIGN: ");
    ASSERT_NE(warning, std::string::npos) << r.err;
    EXPECT_LT(warning, r.err.find("korvel-config send: ")) << r.err;
}

} // namespace
