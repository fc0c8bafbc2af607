#include "settingsfile/ApplySettingsFile.h"

#include "SettingsFileTestSupport.h"
#include "settings/FieldTable.h"
#include "settingsfile/SettingsFileWriter.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace korvel {
namespace {

using test::Defaults;
using test::kDefaultsFile;
using test::SameSettings;

// Where line `line` (1-based) of the defaults file starts.
std::size_t LineStart(std::size_t line) {
    std::size_t start = 0;
    for (std::size_t i = 1; i < line; ++i) {
        start = kDefaultsFile.find("\r\n", start) + 2;
    }
    return start;
}

// The defaults file with its line `line` (1-based) replaced by `text`.
std::string WithLine(std::size_t line, const std::string& text) {
    std::string file = kDefaultsFile;
    const std::size_t start = LineStart(line);
    const std::size_t end = file.find("\r\n", start);
    return file.replace(start, end - start, text);
}

// Line `line` of the defaults file with the values at the given places
// (1-based) replaced; a comma inside quotes is part of its text.
std::string DefaultsLine(std::size_t line,
                         std::initializer_list<std::pair<std::size_t, std::string>> replaced) {
    const std::size_t start = LineStart(line);
    std::vector<std::string> values(1);
    bool inQuotes = false;
    for (std::size_t i = start; kDefaultsFile.compare(i, 2, "\r\n") != 0; ++i) {
        const char c = kDefaultsFile[i];
        inQuotes = c == '"' ? !inQuotes : inQuotes;
        if (c == ',' && !inQuotes) {
            values.emplace_back();
        } else {
            values.back() += c;
        }
    }
    for (const auto& [place, text] : replaced) {
        values.at(place - 1) = text;
    }
    std::string joined = values.front();
    for (std::size_t i = 1; i < values.size(); ++i) {
        joined += "," + values[i];
    }
    return joined;
}

// Line 1 with the Mic-E and auto-reply number `flags` and, when given, the
// alternate table's value `table`.
std::string Line1(const std::string& flags, const std::optional<std::string>& table = {}) {
    return table ? DefaultsLine(1, {{4, flags}, {6, *table}}) : DefaultsLine(1, {{4, flags}});
}

// Line 9 with the status-rate number `rate`.
std::string Line9(const std::string& rate) {
    return DefaultsLine(9, {{2, rate}});
}

TEST(ApplySettingsFile, TheFactorySettingsFileGivesTheFactoryDefaultsAndKeepsTheGpsInterval) {
    SettingsRecord settings; // blank: every field differs from its default
    ASSERT_TRUE(settings.setText(Field::edGpsCheckTime, "555"));
    ASSERT_TRUE(ApplySettingsFile(kDefaultsFile, settings));
    SettingsRecord expected = Defaults();
    expected.setText(Field::edGpsCheckTime, "555");
    EXPECT_TRUE(SameSettings(settings, expected));
}

// Save then Load brings every field that the file holds back unchanged.
struct RoundTripCase {
    Field field;
    const char* text; // for a text field
    int value;        // for a check box or the list
};

class RoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, SaveThenLoadGivesTheSameField) {
    const RoundTripCase& c = GetParam();
    SettingsRecord saved = Defaults();
    ASSERT_TRUE(TraitsOf(c.field).isText() ? saved.setText(c.field, c.text)
                                           : saved.setValue(c.field, c.value));
    std::string bytes;
    ASSERT_TRUE(WriteSettingsFile(saved, bytes));

    SettingsRecord loaded = Defaults();
    ASSERT_TRUE(ApplySettingsFile(bytes, loaded)) << bytes;
    EXPECT_TRUE(SameSettings(loaded, saved)) << TraitsOf(c.field).name;
}

INSTANTIATE_TEST_SUITE_P(
    ApplySettingsFile, RoundTrip,
    testing::Values(
        RoundTripCase{Field::edComm, "7", 0}, RoundTripCase{Field::edComm, "_", 0},
        RoundTripCase{Field::edNumFlagsAuto, "12_", 0}, RoundTripCase{Field::edMsgRepeat, "255", 0},
        RoundTripCase{Field::cbMicEMsg, "", 7}, RoundTripCase{Field::cbMicEMsg, "", 3},
        RoundTripCase{Field::cbMicEMsg, "", -1}, RoundTripCase{Field::chkAutoReply, "", 1},
        RoundTripCase{Field::edSymbol, "/", 0}, RoundTripCase{Field::edSymbol, ",", 0},
        RoundTripCase{Field::edSymbol, "\xA9", 0}, RoundTripCase{Field::chkTable, "", 1},
        RoundTripCase{Field::esSpeedTable0, "2550", 0},
        RoundTripCase{Field::esSpeedTable1, "0_10", 0},
        RoundTripCase{Field::esSpeedTable2, "999", 0},
        RoundTripCase{Field::esSpeedTable3, "010", 0},
        RoundTripCase{Field::esSpeedTable4, "___", 0},
        RoundTripCase{Field::esSpeedTable5, "001", 0},
        RoundTripCase{Field::esSpeedTable6, "100", 0},
        RoundTripCase{Field::edManualTime, "9990", 0}, RoundTripCase{Field::edBcnEvery, "127", 0},
        RoundTripCase{Field::edBcnEvery, "000", 0}, RoundTripCase{Field::chkRxPosition, "", 1},
        RoundTripCase{Field::edGpsAcqTime, "000", 0}, RoundTripCase{Field::edReceiver, "APZ123", 0},
        RoundTripCase{Field::edMyCall, "IK0ABC-15", 0}, RoundTripCase{Field::edMyCall, "", 0},
        RoundTripCase{Field::edAprsPath, "WIDE2-2,", 0}, RoundTripCase{Field::edAprsPath, ",,,", 0},
        RoundTripCase{Field::edBeacon, "4512.34N/00912.34E>", 0},
        RoundTripCase{Field::edBeacon, "say \"hi\" now", 0},
        RoundTripCase{Field::edBeacon, "\"quoted\"", 0},
        RoundTripCase{Field::edBeacon, "  spaces  ", 0}, RoundTripCase{Field::edDestCall, "ALL", 0},
        RoundTripCase{Field::edAprsMsg, "a,b \"c\" d,\"e", 0},
        RoundTripCase{Field::edBeacon, "Op. \"Tev\", 145.500", 0},
        RoundTripCase{Field::edBeacon, "\"\",\"\r\n\" ,", 0},
        RoundTripCase{Field::edAprsMsg, "ends with a quote\"", 0},
        RoundTripCase{Field::edAprsMsg, "\"", 0}, RoundTripCase{Field::edMyCall, "\"\"", 0},
        RoundTripCase{Field::edAprsMsg, "", 0}));

TEST(ApplySettingsFile, EveryFieldChangedAtOnceComesBack) {
    SettingsRecord saved;
    const std::vector<std::pair<Field, const char*>> texts = {{Field::edComm, "4"},
                                                              {Field::edNumFlagsAuto, "500"},
                                                              {Field::edMsgRepeat, "010"},
                                                              {Field::edSymbol, "["},
                                                              {Field::esSpeedTable0, "1000"},
                                                              {Field::esSpeedTable1, "0900"},
                                                              {Field::esSpeedTable2, "800"},
                                                              {Field::esSpeedTable3, "700"},
                                                              {Field::esSpeedTable4, "600"},
                                                              {Field::esSpeedTable5, "500"},
                                                              {Field::esSpeedTable6, "400"},
                                                              {Field::edManualTime, "0300"},
                                                              {Field::edBcnEvery, "042"},
                                                              {Field::edGpsAcqTime, "200"},
                                                              {Field::edReceiver, "APRS"},
                                                              {Field::edMyCall, "IZ1XYZ-7"},
                                                              {Field::edAprsPath, "RELAY"},
                                                              {Field::edBeacon, "Hello"},
                                                              {Field::edDestCall, "IW2ABC-1"},
                                                              {Field::edAprsMsg, "Ciao"}};
    for (const auto& [field, text] : texts) {
        ASSERT_TRUE(saved.setText(field, text));
    }
    saved.setValue(Field::cbMicEMsg, 6);
    saved.setValue(Field::chkAutoReply, 1);
    saved.setValue(Field::chkTable, 1);
    saved.setValue(Field::chkRxPosition, 1);
    std::string bytes;
    ASSERT_TRUE(WriteSettingsFile(saved, bytes));

    SettingsRecord loaded = Defaults();
    ASSERT_TRUE(ApplySettingsFile(bytes, loaded));
    saved.setText(Field::edGpsCheckTime, "100"); // not in the file: keeps the default
    EXPECT_TRUE(SameSettings(loaded, saved));
}

// The two packed numbers, read back.
struct PackedCase {
    std::string file;
    int micE;
    int autoReply;
    int table;
    const char* statusInterval;
    int rxPosition;
};

class PackedNumbers : public testing::TestWithParam<PackedCase> {};

TEST_P(PackedNumbers, AreSplitIntoTheirFields) {
    SettingsRecord settings = Defaults();
    ASSERT_TRUE(ApplySettingsFile(GetParam().file, settings)) << GetParam().file;
    EXPECT_EQ(settings.value(Field::cbMicEMsg), GetParam().micE);
    EXPECT_EQ(settings.value(Field::chkAutoReply), GetParam().autoReply);
    EXPECT_EQ(settings.value(Field::chkTable), GetParam().table);
    EXPECT_EQ(settings.text(Field::edBcnEvery), GetParam().statusInterval);
    EXPECT_EQ(settings.value(Field::chkRxPosition), GetParam().rxPosition);
}

INSTANTIATE_TEST_SUITE_P(
    ApplySettingsFile, PackedNumbers,
    testing::Values(PackedCase{WithLine(1, Line1("21")), 5, 1, 0, "003", 0},
                    PackedCase{WithLine(1, Line1("5")), 5, 0, 0, "003", 0},
                    PackedCase{WithLine(1, Line1("-1")), -1, 0, 0, "003", 0},
                    PackedCase{WithLine(1, Line1("15")), -1, 1, 0, "003", 0},
                    PackedCase{WithLine(1, Line1(" 2.5 ", "1.5")), 2, 0, 2, "003", 0},
                    PackedCase{WithLine(1, Line1("3.5", "1e0")), 4, 0, 1, "003", 0},
                    PackedCase{WithLine(1, Line1("\"23\"", "\"0\"")), 7, 1, 0, "003", 0},
                    PackedCase{WithLine(9, Line9("138")), 0, 0, 0, "010", 1},
                    PackedCase{WithLine(9, Line9("3")), 0, 0, 0, "003", 0},
                    PackedCase{WithLine(9, Line9("200")), 0, 0, 0, "072", 1},
                    PackedCase{WithLine(9, Line9("-1")), 0, 0, 0, "127", 1},
                    PackedCase{WithLine(9, Line9("12abc")), 0, 0, 0, "012", 0},
                    PackedCase{WithLine(9, Line9("x")), 0, 0, 0, "000", 0},
                    PackedCase{WithLine(9, Line9("")), 0, 0, 0, "000", 0},
                    PackedCase{WithLine(9, Line9("10.5")), 0, 0, 0, "010", 0},
                    PackedCase{WithLine(9, Line9("11.5")), 0, 0, 0, "012", 0}));

// A failure says what and where, and stops at that point.
struct FailureCase {
    std::string file;
    std::string message;
};

class Failures : public testing::TestWithParam<FailureCase> {};

TEST_P(Failures, SayWhatAndWhere) {
    SettingsRecord settings = Defaults();
    EXPECT_EQ(ApplySettingsFile(GetParam().file, settings).error(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    ApplySettingsFile, Failures,
    testing::Values(
        FailureCase{"", test::EndOfFileBefore(1)},
        FailureCase{"\"1\",\"200\",\"006\",0,\">\"", test::EndOfFileBefore(6)},
        FailureCase{WithLine(9, "\"0120\""), test::EndOfFileBefore(15)},
        FailureCase{kDefaultsFile.substr(0, kDefaultsFile.size() - 20),
                    "line 9, value 9: the double quote that opens the text is never closed"},
        FailureCase{WithLine(1, Line1("x")), "line 1, value 4 (Mic-E msg): 'x' is not a number"},
        FailureCase{WithLine(1, Line1("")), "line 1, value 4 (Mic-E msg): '' is not a number"},
        FailureCase{WithLine(1, Line1("12abc")),
                    "line 1, value 4 (Mic-E msg): '12abc' is not a number"},
        FailureCase{WithLine(1, Line1("32768")),
                    "line 1, value 4 (Mic-E msg): '32768' is out of range"},
        FailureCase{WithLine(1, Line1("14")), "Mic-E msg: the list has no entry 14"},
        FailureCase{WithLine(1, Line1("31")), "Mic-E msg: the list has no entry 15"},
        FailureCase{WithLine(1, Line1("-17")), "Mic-E msg: the list has no entry 15"},
        FailureCase{WithLine(1, Line1("8")), "Mic-E msg: the list has no entry 8"},
        FailureCase{WithLine(1, Line1("0", "yes")),
                    "line 1, value 6 (Alternate Table): 'yes' is not a number"},
        FailureCase{WithLine(1, Line1("0", "3")), "Alternate Table: 3 is not a check-box state"},
        FailureCase{WithLine(1, DefaultsLine(1, {{1, "\"12\""}})),
                    "Comm num: '12' does not fit the field"},
        FailureCase{WithLine(1, DefaultsLine(1, {{2, "\"2000\""}})),
                    "TX DELAY: '2000' does not fit the field"},
        FailureCase{WithLine(1, DefaultsLine(1, {{5, "\"\""}})),
                    "ICON Symbol: '' does not fit the field"},
        FailureCase{WithLine(3, "\"360\""), "Speed 4-9 Km/h: '360' does not fit the field"},
        FailureCase{WithLine(9, Line9("1e10")),
                    "line 9, value 2 (Status txt every): '1e10' is out of range"},
        FailureCase{WithLine(1, Line1(std::string(100, '9'))),
                    "line 1, value 4 (Mic-E msg): '9999999999999999999999999999999999999999...' is "
                    "out of range"},
        FailureCase{"1,2,3,\"4\n5,6\n7\n8\n9\n10\n11\n12\n13\n14,15,16,17,18,19,20,21,22",
                    "line 1, value 4: the double quote that opens the text is never closed"}));

// A failed read leaves the earlier groups applied and its own group untouched;
// a failure while applying a group leaves the values before it applied.
TEST(ApplySettingsFile, OnlyLineOneAppliesTheFirstGroupThenReportsTheEnd) {
    SettingsRecord settings;
    const std::string line1 = "\"3\",\"100\",\"002\",18,\"/\",1\r\n";
    EXPECT_EQ(ApplySettingsFile(line1, settings).error(), test::EndOfFileBefore(7));
    SettingsRecord expected;
    expected.setText(Field::edComm, "3");
    expected.setText(Field::edNumFlagsAuto, "100");
    expected.setText(Field::edMsgRepeat, "002");
    expected.setValue(Field::cbMicEMsg, 2);
    expected.setValue(Field::chkAutoReply, 1);
    expected.setText(Field::edSymbol, "/");
    expected.setValue(Field::chkTable, 1);
    EXPECT_TRUE(SameSettings(settings, expected));
}

TEST(ApplySettingsFile, AReadFailureInTheSpeedTableLeavesItWhole) {
    SettingsRecord settings = Defaults();
    const std::string file = "\"2\",\"100\",\"002\",1,\"/\",1\r\n\"0010\"\r\n\"0020\"\r\n";
    EXPECT_EQ(ApplySettingsFile(file, settings).error(), test::EndOfFileBefore(9));
    EXPECT_EQ(settings.text(Field::edComm), "2");
    EXPECT_EQ(settings.text(Field::esSpeedTable0), Defaults().text(Field::esSpeedTable0));
    EXPECT_EQ(settings.text(Field::esSpeedTable1), Defaults().text(Field::esSpeedTable1));
}

TEST(ApplySettingsFile, AFieldThatRefusesStopsItsGroupAfterTheValuesBeforeIt) {
    SettingsRecord settings = Defaults();
    const std::string file =
        WithLine(9, "\"0300\",130,\"100\",\"APRS\",\"THISISTOOLONG\",\"RELAY\",\"x\",\"y\",\"z\"");
    EXPECT_EQ(ApplySettingsFile(file, settings).error(),
              "MY CALLSIGN: 'THISISTOOLONG' is longer than 9 characters");
    EXPECT_EQ(settings.text(Field::edManualTime), "0300");
    EXPECT_EQ(settings.text(Field::edBcnEvery), "002");
    EXPECT_EQ(settings.value(Field::chkRxPosition), 1);
    EXPECT_EQ(settings.text(Field::edGpsAcqTime), "100");
    EXPECT_EQ(settings.text(Field::edReceiver), "APRS");
    EXPECT_EQ(settings.text(Field::edMyCall), Defaults().text(Field::edMyCall));
    EXPECT_EQ(settings.text(Field::edAprsPath), Defaults().text(Field::edAprsPath));
}

TEST(ApplySettingsFile, ValuesSpreadOverOtherLinesReadTheSame) {
    // Every line end outside quotes becomes a comma: all 22 values on line 1.
    std::string joined;
    bool inQuotes = false;
    for (std::size_t i = 0; i < kDefaultsFile.size(); ++i) {
        const char c = kDefaultsFile[i];
        inQuotes = c == '"' ? !inQuotes : inQuotes;
        if (c == '\r' && !inQuotes) {
            joined += ',';
            ++i;
        } else {
            joined += c;
        }
    }
    SettingsRecord settings;
    ASSERT_TRUE(ApplySettingsFile(joined, settings)) << joined;
    settings.setText(Field::edGpsCheckTime, "100");
    EXPECT_TRUE(SameSettings(settings, Defaults()));
}

// Files written before Save doubled the quotes of a text read as they always did.
struct OldQuotesCase {
    const char* beacon; // edBeacon and edAprsMsg as the file holds them, quotes included
    const char* message;
    const char* beaconText;
    const char* messageText;
};

class OldQuotes : public testing::TestWithParam<OldQuotesCase> {};

TEST_P(OldQuotes, ReadAsBefore) {
    const OldQuotesCase& c = GetParam();
    const std::string line9 = DefaultsLine(9, {{7, c.beacon}, {9, c.message}});
    SettingsRecord settings = Defaults();
    ASSERT_TRUE(ApplySettingsFile(WithLine(9, line9), settings)) << line9;
    EXPECT_EQ(settings.text(Field::edBeacon), c.beaconText);
    EXPECT_EQ(settings.text(Field::edAprsMsg), c.messageText);
}

INSTANTIATE_TEST_SUITE_P(
    ApplySettingsFile, OldQuotes,
    testing::Values(OldQuotesCase{"\"say \"hi\" now\"", "\"x\"", "say \"hi\" now", "x"},
                    OldQuotesCase{"\"Op. \"Tev\"\"", "\"x\"", "Op. \"Tev\"", "x"},
                    OldQuotesCase{"\"a\"", "\"QRV\"\"", "a", "QRV\""},
                    OldQuotesCase{"\"\"\"", "\"\"", "\"", ""}));

// A file that Save wrote and that was cut short anywhere either fails to load
// or gives exactly the saved settings: never a text cut short, never values
// shifted into other settings. The cuts cover the last value of every line.
struct CutFileCase {
    const char* beacon; // edBeacon, edDestCall and edAprsMsg as saved
    const char* destination;
    const char* message;
};

class CutFile : public testing::TestWithParam<CutFileCase> {};

TEST_P(CutFile, LoadsTheSavedValuesOrFails) {
    SettingsRecord saved = Defaults();
    ASSERT_TRUE(saved.setText(Field::edBeacon, GetParam().beacon));
    ASSERT_TRUE(saved.setText(Field::edDestCall, GetParam().destination));
    ASSERT_TRUE(saved.setText(Field::edAprsMsg, GetParam().message));
    std::string file;
    ASSERT_TRUE(WriteSettingsFile(saved, file));
    for (std::size_t cut = 0; cut <= file.size(); ++cut) {
        SettingsRecord loaded = Defaults();
        if (!ApplySettingsFile(std::string_view(file).substr(0, cut), loaded)) {
            EXPECT_NE(cut, file.size()) << "the whole file loads";
            continue;
        }
        EXPECT_GE(cut, file.size() - 1) << "only the final LF may go: a CR alone ends a line";
        EXPECT_TRUE(SameSettings(loaded, saved)) << "cut after byte " << cut << " of " << file;
    }
}

INSTANTIATE_TEST_SUITE_P(ApplySettingsFile, CutFile,
                         testing::Values(CutFileCase{"Op. \"Tev\", 145.500", "IK0XYZ",
                                                     "QRV on 145.500"},
                                         CutFileCase{"a\",\"b", "\"", "x\"y\"z\""},
                                         CutFileCase{"\"\r\n\"", ",\"", "QRV \"on\""},
                                         CutFileCase{"", "NOCALL", "say \"\"hi\"\" \""}));

TEST(ApplySettingsFile, AFileCutAfterItsLastButOneValueEndsThere) {
    SettingsRecord saved = Defaults();
    ASSERT_TRUE(saved.setText(Field::edBeacon, "Op. \"Tev\", 145.500"));
    std::string file;
    ASSERT_TRUE(WriteSettingsFile(saved, file));
    file.erase(file.rfind(','));
    SettingsRecord loaded = Defaults();
    EXPECT_EQ(ApplySettingsFile(file, loaded).error(), test::EndOfFileBefore(22));
}

// Where the file ends right after its last value, the value may have lost its
// end: it is refused, and the groups before it stay applied as for any cut.
TEST(ApplySettingsFile, TheLastValueMustEndWithALineEnd) {
    const std::string lineEnd = "\r\n";
    const std::string whole = kDefaultsFile.substr(0, kDefaultsFile.size() - lineEnd.size());
    const std::string ending = ": the file ends right after it, without the line end that ends "
                               "a saved file; the file may be cut short";
    const std::string lastValue =
        "line 9, value 9 (" + CaptionOf(SavedFields().back()) + ")" + ending;
    const std::pair<std::string, std::string> cases[] = {
        {whole, lastValue},                                        // hand-edited, no line end
        {whole.substr(0, whole.rfind(',') + 1), lastValue},        // "NOCALL", then nothing
        {whole.substr(0, whole.rfind('"')) + "\"\"\"", lastValue}, // a doubled quote cut in two
        {"\xEF\xBB\xBF" + kDefaultsFile,
         "the file starts with a UTF-8 byte-order mark; settings files are Windows-1252 text"},
    };
    for (const auto& [file, message] : cases) {
        SettingsRecord settings = Defaults();
        const auto loaded = ApplySettingsFile(file, settings);
        ASSERT_FALSE(loaded) << file;
        EXPECT_EQ(loaded.error(), message);
    }
}

TEST(ApplySettingsFile, IgnoresWhateverFollowsTheLastValue) {
    SettingsRecord settings;
    ASSERT_TRUE(ApplySettingsFile(kDefaultsFile + "junk,\"unterminated\r\n\x01\xFF", settings));
    settings.setText(Field::edGpsCheckTime, "100");
    EXPECT_TRUE(SameSettings(settings, Defaults()));
}

TEST(ApplySettingsFile, ArbitraryBytesNeverCrash) {
    std::mt19937 random(2026);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "\",\r\n 0123456789-._aZ";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 400), '\0');
        const bool structured = round % 2 == 0;
        for (char& c : bytes) {
            c = structured ? alphabet[pick(random)] : static_cast<char>(byte(random));
        }
        SettingsRecord settings = Defaults();
        const auto applied = ApplySettingsFile(bytes, settings);
        ASSERT_TRUE(applied || !applied.error().empty()) << "a failure says what failed";
        ASSERT_EQ(settings.text(Field::edGpsCheckTime), Defaults().text(Field::edGpsCheckTime));
        // Whatever a Load took, a Save writes and the next Load gives back.
        std::string saved;
        ASSERT_TRUE(WriteSettingsFile(settings, saved));
        SettingsRecord reloaded = Defaults();
        ASSERT_TRUE(ApplySettingsFile(saved, reloaded)) << saved;
        ASSERT_TRUE(SameSettings(reloaded, settings)) << saved;
    }
}

TEST(ApplySettingsFile, HugeValuesFailCleanly) {
    const std::string huge(10 * 1024 * 1024, '"');
    SettingsRecord settings = Defaults();
    EXPECT_FALSE(ApplySettingsFile(huge, settings));
    const std::string longText = "\"" + std::string(10 * 1024 * 1024, 'A') + "\"";
    EXPECT_EQ(ApplySettingsFile(longText + ",\"200\",\"006\",0,\">\",0", settings).error(),
              "Comm num: '" + std::string(40, 'A') + "...' does not fit the field");
    const std::string digits(10 * 1024 * 1024, '7');
    EXPECT_FALSE(ApplySettingsFile(WithLine(9, Line9(digits)), settings));
}

} // namespace
} // namespace korvel
