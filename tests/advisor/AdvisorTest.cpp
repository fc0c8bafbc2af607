#include "advisor/Advisor.h"

#include "advisor/AprsPosition.h"
#include "advisor/AprsSymbols.h"
#include "advisor/PathAdvice.h"
#include "settings/FieldTable.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace korvel {
namespace {

using Sets = std::vector<std::pair<std::string, std::string>>;

// The factory settings with the operator's own callsign, an addressee and the
// metro path: a configuration that should draw no finding at all.
const Sets kSound = {
    {"edMyCall", "IK0ABC-9"}, {"edDestCall", "IK0XYZ"}, {"edAprsPath", "WIDE1-1,WIDE2-1"}};

SettingsRecord Settings(const Sets& base, const Sets& changes) {
    SettingsRecord settings;
    SetDefaults(settings);
    for (const Sets* sets : {&base, &changes}) {
        for (const auto& [name, value] : *sets) {
            const Field field = *FindField(name);
            const auto set = TraitsOf(field).isText() ? settings.setText(field, value)
                                                      : settings.setValue(field, std::stoi(value));
            EXPECT_TRUE(set) << name << "=" << value;
        }
    }
    return settings;
}

struct Row {
    const char* rule;
    Sets changes;
    const char* field; // the one finding's field; nullptr for none
    Severity severity;
    const char* excerpt; // part of its message
};

class EachRule : public ::testing::TestWithParam<Row> {};

TEST_P(EachRule, GivesExactlyItsFinding) {
    const Row& row = GetParam();
    const Findings findings = Advise(Settings(kSound, row.changes));
    if (row.field == nullptr) {
        EXPECT_TRUE(findings.empty())
            << findings.front().caption << ": " << findings.front().message;
        return;
    }
    ASSERT_EQ(findings.size(), 1u) << (findings.empty() ? "" : findings.back().message);
    const Finding& finding = findings.front();
    EXPECT_EQ(finding.field, *FindField(row.field));
    EXPECT_EQ(finding.caption, CaptionOf(finding.field));
    EXPECT_EQ(finding.severity, row.severity);
    EXPECT_NE(finding.message.find(row.excerpt), std::string::npos) << finding.message;
}

constexpr Severity W = Severity::Warning;
constexpr Severity N = Severity::Note;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Advisor, EachRule, ::testing::Values(
    Row{"sound configuration", {}, nullptr, W, ""},
    Row{"rural path", {{"edAprsPath", "WIDE1-1,WIDE2-2"}}, nullptr, W, ""},
    Row{"fixed station path", {{"edAprsPath", "WIDE2-2"}}, nullptr, W, ""},
    Row{"placeholder callsign", {{"edMyCall", "N0CALL-7"}}, "edMyCall", W, "transmit as N0CALL-7"},
    Row{"placeholder addressee", {{"edDestCall", "NOCALL"}}, "edDestCall", W, "addressed to NOCALL"},
    Row{"SSID above 15", {{"edMyCall", "IK0ABC-16"}}, "edMyCall", W, "will send IK0ABC ("},
    Row{"callsign too long", {{"edMyCall", "IK0ABCD-3"}}, "edMyCall", W, "will send IK0ABC-3 ("},
    Row{"obsolete alias", {{"edAprsPath", "RELAY,WIDE2-1"}}, "edAprsPath", W, "RELAY is an obsolete"},
    Row{"obsolete TRACEn-N", {{"edAprsPath", "TRACE2-2"}}, "edAprsPath", W, "TRACE2-2 is an obsolete"},
    Row{"WIDE1-1 not first", {{"edAprsPath", "WIDE2-2,WIDE1-1"}}, "edAprsPath", W, "only as the first"},
    Row{"n above 2", {{"edAprsPath", "WIDE3-3"}}, "edAprsPath", W, "asks for 3 hops"},
    Row{"too many hops", {{"edAprsPath", "WIDE2-2,WIDE2-2"}}, "edAprsPath", W, "asks for 4 hops"},
    Row{"state route", {{"edAprsPath", "WIDE1-1,CA2-2"}}, nullptr, W, ""},
    Row{"hop used up", {{"edAprsPath", "WIDE3-1"}}, nullptr, W, ""},
    Row{"gate stop last", {{"edAprsPath", "WIDE1-1,RFONLY"}}, nullptr, W, ""},
    Row{"space station", {{"edAprsPath", "ARISS"}}, nullptr, W, ""},
    Row{"WIDE8-8", {{"edAprsPath", "WIDE8-8"}}, "edAprsPath", W, "asks for 8 hops, which floods"},
    Row{"WIDE9-9", {{"edAprsPath", "WIDE9-9"}}, "edAprsPath", W, "asks for 9 hops"},
    Row{"WIDE1-1 then WIDE8-8", {{"edAprsPath", "WIDE1-1,WIDE8-8"}}, "edAprsPath", W, "asks for 9 hops"},
    Row{"state route flood", {{"edAprsPath", "CA7-7"}}, "edAprsPath", W, "asks for 7 hops"},
    Row{"state route three", {{"edAprsPath", "WIDE1-1,CA3-3"}}, "edAprsPath", W, "asks for 4 hops"},
    Row{"no N", {{"edAprsPath", "WIDE4"}}, "edAprsPath", W, "WIDE4 has no hop left"},
    Row{"no N second", {{"edAprsPath", "WIDE1-1,WIDE2"}}, "edAprsPath", W, "WIDE2 has no hop left"},
    Row{"gate stop in front", {{"edAprsPath", "RFONLY,WIDE2-1"}}, "edAprsPath", W, "RFONLY before other addresses"},
    Row{"NOGATE in front", {{"edAprsPath", "NOGATE,WIDE2-2"}}, "edAprsPath", W, "never repeated"},
    Row{"internet marker", {{"edAprsPath", "WIDE2-1,TCPIP"}}, "edAprsPath", W, "TCPIP marks packets"},
    Row{"TCPXX marker", {{"edAprsPath", "TCPXX"}}, "edAprsPath", W, "never belongs in a radio path"},
    Row{"q construct", {{"edAprsPath", "QAR"}}, "edAprsPath", W, "never belongs in a radio path"},
    Row{"third address", {{"edAprsPath", "WIDE1-1,WIDE2-1,RS0"}}, "edAprsPath", W, "does not send what follows the second comma (RS0)"},
    Row{"address no callsign", {{"edAprsPath", "WIDE1-1,WIDE2-X"}}, "edAprsPath", W, "will send WIDE2 ("},
    Row{"no path", {{"edAprsPath", ""}}, "edAprsPath", N, "direct range"},
    Row{"unprotocol SSID", {{"edReceiver", "QKORVL-2"}}, "edReceiver", W, "WIDE2-2 on top"},
    Row{"Mic-E Emergency", {{"cbMicEMsg", "7"}}, "cbMicEMsg", W, "emergency alarm"},
    Row{"EMERGENCY in status", {{"edBeacon", "TEST EMERGENCY"}}, "edBeacon", W, "EMERGENCY"},
    Row{"EMERGENCY in message", {{"edAprsMsg", "EMERGENCY drill"}}, "edAprsMsg", W, "EMERGENCY"},
    Row{"alarm addressee", {{"edDestCall", "ALARM"}}, "edDestCall", W, "Messages to ALARM"},
    Row{"pipe in status", {{"edBeacon", "a|b"}}, "edBeacon", W, "'|' breaks"},
    Row{"brace in message", {{"edAprsMsg", "hi {1"}}, "edAprsMsg", W, "'{' starts"},
    Row{"tilde in message", {{"edAprsMsg", "a~b"}}, "edAprsMsg", W, "'~' breaks"},
    Row{"DEL in status", {{"edBeacon", "Home\x7Fx"}}, "edBeacon", W, "control byte DEL"},
    Row{"CR in message", {{"edAprsMsg", "hi\rthere"}}, "edAprsMsg", W, "control byte CR"},
    Row{"ESC in status", {{"edBeacon", "a\x1B[2Jb"}}, "edBeacon", W, "control byte ESC"},
    Row{"acknowledgement text", {{"edAprsMsg", "ack12"}}, "edAprsMsg", W, "an acknowledgement"},
    Row{"reject text", {{"edAprsMsg", "rej"}}, "edAprsMsg", W, "a reject"},
    Row{"message beginning with ack", {{"edAprsMsg", "acknowledged, thanks"}}, nullptr, W, ""},
    Row{"message to itself", {{"edDestCall", "IK0ABC-9"}, {"chkAutoReply", "1"}}, "edDestCall", W, "answers its own message"},
    Row{"message to itself no reply", {{"edDestCall", "IK0ABC-9"}}, nullptr, W, ""},
    Row{"message to own other SSID", {{"edDestCall", "IK0ABC-7"}, {"chkAutoReply", "1"}}, nullptr, W, ""},
    Row{"alarm addressee cut", {{"edDestCall", "EMERGENCY"}}, "edDestCall", W, "go out to EMERGE, which raises no alarm"},
    Row{"alarm addressee cut WX", {{"edDestCall", "WXALARM"}}, "edDestCall", W, "go out to WXALAR"},
    Row{"unprotocol path alias", {{"edReceiver", "WIDE1-1"}}, "edReceiver", W, "WIDE1-1 is a path alias"},
    Row{"unprotocol callsign", {{"edReceiver", "IK0ABC"}}, "edReceiver", W, "IK0ABC is a callsign"},
    Row{"unprotocol placeholder", {{"edReceiver", "NOCALL"}}, "edReceiver", W, "NOCALL is a placeholder"},
    Row{"unprotocol tocall", {{"edReceiver", "APZ123"}}, nullptr, W, ""},
    Row{"unprotocol generic", {{"edReceiver", "APRS"}}, nullptr, W, ""},
    Row{"blank path address", {{"edAprsPath", "WIDE1-1,"}}, "edAprsPath", W, "will send a blank address ("},
    Row{"manual interval", {{"edManualTime", "0050"}}, "edManualTime", W, "every 50 seconds"},
    Row{"speed band rounded", {{"esSpeedTable(6)", "055"}}, nullptr, W, ""},
    Row{"speed band", {{"esSpeedTable(6)", "030"}}, "esSpeedTable(6)", W, "every 30 seconds"},
    Row{"GPSless without position", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}}, "edBeacon", W, "holds no position"},
    Row{"GPSless with position", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4512.34N/01234.56E-"}}, nullptr, W, ""},
    Row{"GPSless position and text", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4903.50N/07201.75W-Home"}}, nullptr, W, ""},
    Row{"GPSless ambiguous position", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4903.  N/07201.  W-"}}, nullptr, W, ""},
    Row{"GPSless south east alternate", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "3352.12S\\15112.50E#"}}, nullptr, W, ""},
    Row{"GPSless latitude degrees", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "9903.50N/18201.75W-"}}, "edBeacon", W, "latitude degrees 99 are out of range"},
    Row{"GPSless longitude degrees", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4903.50N/18201.75W-"}}, "edBeacon", W, "longitude degrees 182 are out of range"},
    Row{"GPSless minutes", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4963.50N/07201.75W-"}}, "edBeacon", W, "minutes 63 are out of range"},
    Row{"GPSless no table", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4903.50N07201.75W-"}}, "edBeacon", W, "no symbol table character between latitude and longitude"},
    Row{"GPSless space for table", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4903.50N 07201.75W-"}}, "edBeacon", W, "symbol table character ' '"},
    Row{"GPSless swapped", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "07201.75W/4903.50N-"}}, "edBeacon", W, "longitude comes first"},
    Row{"GPSless text before", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "Home 4903.50N/07201.75W-"}}, "edBeacon", W, "'Home ' stands before the position (49 deg 03.50 min N, 72 deg 01.75 min W)"},
    Row{"GPSless no symbol code", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4903.50N/07201.75W"}}, "edBeacon", W, "no symbol code"},
    Row{"GPSless spaced digit", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4903. 0N/07201.75W-"}}, "edBeacon", W, "is not written as ddmm.hh"},
    Row{"GPSless hemisphere", {{"edGpsAcqTime", "000"}, {"edSymbol", "-"}, {"edBeacon", "4903.50X/07201.75W-"}}, "edBeacon", W, "ends in 'X'"},
    Row{"unassigned symbol", {{"edSymbol", "1"}, {"chkTable", "1"}}, "edSymbol", W, "'1' alternate table: Unassigned"},
    Row{"fixed symbol while moving", {{"edSymbol", "-"}}, "edSymbol", N, "'-' primary table: House, not a mobile"},
    Row{"numbered circle", {{"edSymbol", "1"}}, nullptr, W, ""},
    Row{"rocket", {{"edSymbol", "O"}, {"chkTable", "1"}}, nullptr, W, ""},
    Row{"weather symbol drawn", {{"edSymbol", "*"}, {"chkTable", "1"}}, "edSymbol", N, "'*' alternate table: Snow, not a mobile"},
    Row{"shelter drawn", {{"edSymbol", "z"}}, "edSymbol", N, "Shelter, not a mobile"},
    Row{"amateur television", {{"edSymbol", "V"}}, "edSymbol", N, "ATV, Amateur Television, not a mobile"},
    Row{"fixed symbol GPSless", {{"edSymbol", "z"}, {"edGpsAcqTime", "000"}, {"edBeacon", "4903.50N/07201.75Wz"}}, nullptr, W, ""}),
    [](const testing::TestParamInfo<Row>& info) {
        std::string name = info.param.rule;
        std::ranges::replace_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });
// clang-format on

TEST(Advisor, FactorySettingsWarnOfThePlaceholdersOnly) {
    const Findings findings = Advise(Settings({}, {}));
    std::vector<Field> warned;
    for (const Finding& finding : findings) {
        if (finding.severity == Severity::Warning) {
            warned.push_back(finding.field);
        }
    }
    EXPECT_EQ(warned, (std::vector<Field>{Field::edMyCall, Field::edDestCall}));
    EXPECT_TRUE(HasWarning(findings));
}

TEST(AprsSymbols, EachTableHoldsEveryCodeOnce) {
    std::set<std::pair<char, char>> seen;
    for (const AprsSymbol& symbol : AllSymbols()) {
        EXPECT_TRUE(symbol.table == '/' || symbol.table == '\\');
        EXPECT_TRUE(symbol.code >= '!' && symbol.code <= '~');
        EXPECT_FALSE(symbol.name.empty());
        seen.insert({symbol.table, symbol.code});
    }
    EXPECT_EQ(seen.size(), 188u);
    EXPECT_EQ(DescribeSymbol('/', '>'), "'>' primary table: Car");
}

TEST(AprsPosition, SaysThePositionInWords) {
    const std::pair<const char*, const char*> cases[] = {
        {"4903.50N/07201.75W-", "49 deg 03.50 min N, 72 deg 01.75 min W"},
        {"4903.5 N/07201.7 W-", "49 deg 03.5 min N, 72 deg 01.7 min W"},
        {"4903.  N/07201.  W-", "49 deg 03 min N, 72 deg 01 min W"},
        {"490 .  N/0720 .  W-", "49 deg 00-09 min N, 72 deg 00-09 min W"},
        {"49  .  N/072  .  W-", "49 deg N, 72 deg W"},
        {"0000.00S/18000.00E>", "0 deg 00.00 min S, 180 deg 00.00 min E"},
    };
    for (const auto& [text, words] : cases) {
        const auto position = ParseAprsPosition(text);
        ASSERT_TRUE(position) << text << ": " << position.error();
        EXPECT_EQ(PositionInWords(*position), words);
    }
    EXPECT_FALSE(ParseAprsPosition("9000.01N/07201.75W-"));
    EXPECT_FALSE(ParseAprsPosition("4 03.50N/07201.75W-"));
}

TEST(PathHops, CountsTheHopsAsSent) {
    EXPECT_EQ(PathHops(""), 0);
    EXPECT_EQ(PathHops("WIDE1-1,WIDE2-2"), 3);
    const std::pair<const char*, int> cases[] = {
        {"IR0AAA", 1},         {"WIDE3-1", 1},        {"CA2-2", 2},   {"WIDE1-1,CA3-3", 4},
        {"WIDE1-1,RFONLY", 1}, {"RFONLY,WIDE2-1", 0}, {"WIDE4", 0},   {"WIDE1-1,WIDE2", 1},
        {"TCPIP,WIDE2-1", 0},  {"TCPIP*", 0},         {"WIDE8-8", 8}, {"RELAY,WIDE2-1", 0},
        {"WIDE2-16", 0},
    };
    for (const auto& [path, hops] : cases) {
        EXPECT_EQ(PathHops(path), hops) << path;
    }
}

} // namespace
} // namespace korvel
