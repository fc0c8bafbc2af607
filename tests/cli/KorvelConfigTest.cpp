// Runs the built korvel-config as a user would, checking its output and exit codes.

#include "CliRun.h"
#include "DefaultsFile.h"
#include "FactoryImage.h"
#include "settings/FieldTable.h"

#include <algorithm>
#include <cstdio>
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

class KorvelConfig : public korvel::clitest::CliRun {};

// The factory image as `image` prints it: in hex, 16 bytes a line.
std::string FactoryImageInHex() {
    std::string hex;
    for (std::size_t i = 0; i < korvel::test::kFactoryImage.size(); ++i) {
        char byte[3];
        std::snprintf(byte, sizeof byte, "%02X", korvel::test::kFactoryImage[i]);
        const bool lineEnds = i % 16 == 15 || i + 1 == korvel::test::kFactoryImage.size();
        hex += byte;
        hex += lineEnds ? '\n' : ' ';
    }
    return hex;
}

const std::string kDefaultsImage = FactoryImageInHex();

TEST_F(KorvelConfig, ImageOfTheFactoryDefaultsIsTheFactoryImage) {
    const Outcome r = run("image");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, kDefaultsImage);
    EXPECT_EQ(r.err, "");
}

TEST_F(KorvelConfig, ImageTakesSetOptions) {
    const Outcome r =
        run("image --set edMsgRepeat=010 --set=chkTable=1 --set 'esSpeedTable(6)=100'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Offset 1 (retries), offset 4 (table "\"), offset 12 (10 units).
    EXPECT_TRUE(r.out.starts_with("1E 0A 00 3E 5C 0A 30 24 19 12 0D 0B 0A 0C 19 03\n")) << r.out;
}

TEST_F(KorvelConfig, AFailedBuildExitsWithOneAndSaysWhy) {
    const Outcome r = run("image --set edMyCall=");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Parametri incompleti o non corretti"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("MY CALLSIGN (edMyCall): empty"), std::string::npos) << r.err;
}

struct UsageCase {
    std::string arguments;
    std::string message; // part of standard error
};

// Names a case by its arguments in the test report.
void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << "korvel-config " << c.arguments;
}

class Usage : public KorvelConfig, public testing::WithParamInterface<UsageCase> {};

TEST_P(Usage, ErrorsExitWithTwoAndAMessage) {
    const Outcome r = run(GetParam().arguments);
    EXPECT_EQ(r.exitCode, 2) << r.out;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    KorvelConfig, Usage,
    testing::Values(
        UsageCase{"image --bogus", "unknown option '--bogus'"},
        UsageCase{"image extra", "unexpected argument 'extra'"},
        UsageCase{"image --set", "--set needs NAME=VALUE"},
        UsageCase{"image --set edMyCall", "--set needs NAME=VALUE"},
        UsageCase{"image --set nosuch=1", "unknown field 'nosuch'"},
        UsageCase{"image --set edComm=12", "Comm num (edComm): '12' does not fit the field"},
        UsageCase{"image --set chkTable=x",
                  "Alternate Table (chkTable): 'x' is not a whole number"},
        UsageCase{"image --set cbMicEMsg=8", "Mic-E msg (cbMicEMsg): the list has no entry 8"},
        UsageCase{"image --set chkAutoReply=2",
                  "(chkAutoReply): '2' is not a check-box state (0 clear, 1 checked)"},
        UsageCase{"save x.cfg --set chkTable=-1",
                  "Alternate Table (chkTable): '-1' is not a check-box state (0 clear, 1 checked)"},
        UsageCase{"image --set \"edComm=$(printf '\\033[2J\\r\\nx')\"",
                  "Comm num (edComm): '\\x1B[2J\\r\\nx' does not fit the field"},
        UsageCase{"image --set \"$(printf 'ed\\033[2J')=1\"", "unknown field 'ed\\x1B[2J'"},
        UsageCase{"image --set edMyCall=$(printf '%0120000d' 0)",
                  "MY CALLSIGN (edMyCall): '" + std::string(40, '0') +
                      "...' is longer than 9 characters"},
        UsageCase{"image --set edBeacon=☺", "U+263A, which the tracker's code page lacks"},
        UsageCase{"image --set \"edBeacon=$(printf '\\377')\"", "not valid UTF-8"},
        UsageCase{"image --file", "--file needs"},
        UsageCase{"image --file /nonexistent/x.cfg", "file not found"},
        UsageCase{"fields --file a --file b", "only once"},
        UsageCase{"save", "exactly one output file"},
        UsageCase{"save a.cfg b.cfg", "exactly one output file"},
        UsageCase{"save ''", "the output file name is empty"},
        UsageCase{"save /nonexistent/dir/x.cfg", "does not exist"},
        UsageCase{"save \"$(printf '/nonexistent/x\\377\\376.cfg')\"",
                  "the file name is not valid UTF-8"},
        UsageCase{"fields --file \"$(printf '\\377.cfg')\"", "--file: the file name is not valid"},
        UsageCase{"fields --file /etc/passwd/k.cfg", "/etc/passwd is not a folder"},
        UsageCase{"send --device \"$(printf '/dev/tty\\377')\"",
                  "--device: the file name is not valid UTF-8"},
        UsageCase{"send --port 2 --device-folder \"$(printf '/dev/\\377')\"",
                  "--device-folder: the file name is not valid UTF-8"},
        UsageCase{"send --port 2 --device-folder /nonexistent",
                  "--device-folder /nonexistent: no such folder"},
        UsageCase{"save x.cfg --set edBcnEvery=___", "Status txt every: '___' is not a number"},
        UsageCase{"ports --device-folder", "--device-folder needs a folder"},
        UsageCase{"ports --device-folder /nonexistent", "no such folder"},
        UsageCase{"ports --all", "unknown option '--all'"},
        UsageCase{"manual ''", "the file name is empty"},
        UsageCase{"manual --width", "--width needs a number from 20 to 1000"},
        UsageCase{"manual /nonexistent/x.rtf", "cannot read /nonexistent/x.rtf: no such file"},
        // Every command reads its options one way and words a refusal alike.
        UsageCase{"manual --width=10", "--width needs a number from 20 to 1000; '10' is not one"},
        UsageCase{"manual a.rtf b.rtf", "unexpected argument 'b.rtf' (see --help)"},
        UsageCase{"manual -- --width", "cannot read --width: no such file"},
        UsageCase{"manual a.rtf \"$(printf 'b\\033[2J')\"", "unexpected argument 'b\\x1B[2J'"},
        UsageCase{"image --set=edMyCall", "--set needs NAME=VALUE"},
        UsageCase{"image --file=", "--file needs the path of a settings file (see --help)"},
        UsageCase{"image -- -h", "unexpected argument '-h'"},
        UsageCase{"check --file a.cfg --file=b.cfg", "--file may be given only once"},
        UsageCase{"send --port 1 --port=2", "--port may be given only once"},
        UsageCase{"send --port=", "--port needs a whole number from 1 to 9"},
        UsageCase{"symbols --json=1", "--json takes no value (see --help)"},
        UsageCase{"fields -- --build", "unexpected argument '--build'"},
        UsageCase{"ports -x", "unknown option '-x' (see --help)"},
        UsageCase{"ports --device-folder=", "--device-folder needs a folder"}));

TEST_F(KorvelConfig, EachCommandHasHelp) {
    for (const std::string command : {"image", "fields", "save", "send", "manual", "ports", "check",
                                      "symbols", "diff", "history"}) {
        // -h wins wherever it stands before "--", even after an unknown option.
        for (const std::string asked : {" --help", " --bogus -h"}) {
            const Outcome r = run(command + asked);
            EXPECT_EQ(r.exitCode, 0) << command << asked;
            EXPECT_NE(r.out.find("Usage: korvel-config " + command), std::string::npos);
            EXPECT_NE(r.out.find("\n  -h, --help         print this help\n"), std::string::npos)
                << r.out;
        }
    }
    for (const char* command : {"image", "fields", "save", "send", "check"}) {
        const Outcome r = run(std::string(command) + " --help");
        EXPECT_NE(r.out.find("--set NAME=VALUE"), std::string::npos) << command;
    }
}

struct SpellingCase {
    std::string spaced; // "--name VALUE"; "DIR" stands for the test's folder
    std::string joined; // the same as "--name=VALUE"
    int exitCode;
};

void PrintTo(const SpellingCase& c, std::ostream* out) {
    *out << "korvel-config " << c.joined;
}

class Spellings : public KorvelConfig, public testing::WithParamInterface<SpellingCase> {
protected:
    std::string inFolder(std::string arguments) const {
        for (std::size_t at; (at = arguments.find("DIR")) != std::string::npos;) {
            arguments.replace(at, 3, "'" + dir.string() + "'");
        }
        return arguments;
    }
};

TEST_P(Spellings, BothSpellingsOfAValueGiveTheSameResult) {
    std::ofstream(dir / "m.rtf") << "{\\rtf1 Korvel tracker instructions}";
    const Outcome spaced = run(inFolder(GetParam().spaced));
    const Outcome joined = run(inFolder(GetParam().joined));
    EXPECT_EQ(spaced.exitCode, GetParam().exitCode) << spaced.err;
    EXPECT_EQ(joined.exitCode, spaced.exitCode) << joined.err;
    EXPECT_EQ(joined.out, spaced.out);
    EXPECT_EQ(joined.err, spaced.err);
}

INSTANTIATE_TEST_SUITE_P(
    KorvelConfig, Spellings,
    testing::Values(
        SpellingCase{"image --set edMsgRepeat=010", "image --set=edMsgRepeat=010", 0},
        SpellingCase{"fields --build --set edNumFlagsAuto=030",
                     "fields --set=edNumFlagsAuto=030 --build", 0},
        SpellingCase{"check --json --set edMyCall=AB1CD", "check --set=edMyCall=AB1CD --json", 1},
        SpellingCase{"manual --width 24 DIR/m.rtf", "manual DIR/m.rtf --width=24", 0},
        SpellingCase{"ports --json --device-folder DIR", "ports --device-folder=DIR --json", 0}));

// After "--" an argument that begins with '-' is a file name.
TEST_F(KorvelConfig, DoubleDashEndsTheOptions) {
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    const Outcome saved = run("save --set edMyCall=AB1CD -- -h.cfg");
    const Outcome read = run("fields --file=-h.cfg");
    fs::current_path(before);
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_TRUE(fs::exists(dir / "-h.cfg"));
    EXPECT_NE(read.out.find("\nedMyCall=AB1CD\n"), std::string::npos) << read.err;
}

TEST_F(KorvelConfig, FieldsListsEveryFieldInTableOrder) {
    const Outcome r = run("fields");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string defaults; // each field's factory text or value, from the field table
    for (const korvel::FieldTraits& traits : korvel::AllFields()) {
        defaults += std::string(traits.name) + "=" +
                    (traits.isText() ? std::string(traits.defaultText)
                                     : std::to_string(traits.defaultValue)) +
                    "\n";
    }
    EXPECT_EQ(r.out, defaults);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), std::ssize(korvel::AllFields()));
}

TEST_F(KorvelConfig, FieldsWithBuildShowsTheNormalisedTexts) {
    const Outcome plain = run("fields --set edNumFlagsAuto=030 --set edMyCall=' ab-0 '");
    EXPECT_NE(plain.out.find("edNumFlagsAuto=030\n"), std::string::npos) << plain.out;
    const Outcome built = run("fields --build --set edNumFlagsAuto=030 --set edMyCall=' AB-0 '");
    EXPECT_EQ(built.exitCode, 0) << built.err;
    EXPECT_NE(built.out.find("edNumFlagsAuto=027\n"), std::string::npos) << built.out;
    EXPECT_NE(built.out.find("edMyCall=AB\n"), std::string::npos) << built.out;
}

TEST_F(KorvelConfig, FieldsShowsControlBytesEscapedOneValueALine) {
    const Outcome r = run("fields --set \"edBeacon=$(printf 'a\\033[2Jb\\r\\nc\\tz')\""
                          " --set 'edAprsMsg=a\\x07b\\'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\nedBeacon=a\\x1B[2Jb\\r\\nc\\tz\n"), std::string::npos) << r.out;
    // a typed backslash prints doubled, apart from an escaped control byte
    EXPECT_NE(r.out.find("\nedAprsMsg=a\\\\x07b\\\\\n"), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), std::ssize(korvel::AllFields()));
}

// Output that cannot be written (a full disk) is an error, not an empty success.
class FullDisk : public KorvelConfig, public testing::WithParamInterface<std::string> {};

TEST_P(FullDisk, OutputThatCannotBeWrittenExitsWithTwo) {
    std::ofstream(file("m.rtf")) << "{\\rtf1 Korvel}";
    std::string arguments = GetParam();
    if (arguments == "manual") {
        arguments += " '" + file("m.rtf") + "'";
    }
    const Outcome r = run(arguments, "/dev/full");
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_NE(r.err.find(": cannot write the output: No space left on device"), std::string::npos)
        << r.err;
}

INSTANTIATE_TEST_SUITE_P(KorvelConfig, FullDisk,
                         testing::Values("image", "fields", "ports --json", "ports", "manual",
                                         "--version", "image --help", "check", "check --json",
                                         "symbols"));

TEST_F(KorvelConfig, TextsTravelAsUtf8AndComeBackTheSame) {
    const Outcome r = run("fields --set 'edBeacon=Caffè €5'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("edBeacon=Caffè €5\n"), std::string::npos) << r.out;
}

TEST_F(KorvelConfig, SaveWritesTheFactorySettingsFileAndFieldsReadsItBack) {
    const std::string cfg = file("Korvel.cfg");
    Outcome r = run("save '" + cfg + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Slurp(cfg), korvel::test::kDefaultsFile);
    const Outcome image = run("image --file '" + cfg + "'");
    EXPECT_EQ(image.out, kDefaultsImage) << image.err;

    r = run("save '" + cfg + "' --set cbMicEMsg=-1 --set chkAutoReply=1 --set 'edBeacon=Op. " +
            "\"Tev\", 145.500' --set edDestCall=IK0XYZ --set 'edAprsMsg=QRV on 145.500'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Outcome fields = run("fields --file '" + cfg + "'");
    ASSERT_EQ(fields.exitCode, 0) << fields.err;
    for (const char* field : {"cbMicEMsg=-1", "chkAutoReply=1", "edBeacon=Op. \"Tev\", 145.500",
                              "edDestCall=IK0XYZ", "edAprsMsg=QRV on 145.500"}) {
        EXPECT_NE(fields.out.find("\n" + std::string(field) + "\n"), std::string::npos)
            << field << "\n"
            << fields.out;
    }
}

TEST_F(KorvelConfig, ABrokenFileExitsWithTwoNamingTheFile) {
    const std::string cfg = file("short.cfg");
    std::ofstream(cfg, std::ios::binary) << "\"1\",\"200\"\r\n";
    const Outcome r = run("image --file '" + cfg + "'");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find(cfg), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(korvel::test::EndOfFileBefore(3)), std::string::npos) << r.err;
}

TEST_F(KorvelConfig, ArbitraryBytesAsAFileGiveAnError) {
    const std::string cfg = file("junk.cfg");
    std::string junk;
    for (int i = 0; i < 4096; ++i) {
        junk += static_cast<char>((i * 7919 + 13) % 256);
    }
    std::ofstream(cfg, std::ios::binary) << junk;
    const Outcome r = run("fields --file '" + cfg + "'");
    EXPECT_EQ(r.exitCode, 2) << r.out;
    EXPECT_NE(r.err.find("Cannot load"), std::string::npos) << r.err;
}

// diff of two settings files saved with the settings of each row; "DIR" in
// the expected text stands for the test's folder.
struct DiffCase {
    std::string setsA, setsB;
    int exitCode;
    std::vector<std::string> lines; // each a part of standard output
};

void PrintTo(const DiffCase& c, std::ostream* out) {
    *out << "diff [" << c.setsA << "] [" << c.setsB << "]";
}

class Diff : public KorvelConfig, public testing::WithParamInterface<DiffCase> {};

TEST_P(Diff, TellsEachSettingAndImageByteThatDiffer) {
    const DiffCase& c = GetParam();
    ASSERT_EQ(run("save '" + file("a.cfg") + "' " + c.setsA).exitCode, 0);
    ASSERT_EQ(run("save '" + file("b.cfg") + "' " + c.setsB).exitCode, 0);
    const Outcome r = run("diff '" + file("a.cfg") + "' '" + file("b.cfg") + "'");
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(r.out.empty(), c.lines.empty()) << r.out;
    for (const std::string& line : c.lines) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    }
    const Outcome json = run("diff --json '" + file("a.cfg") + "' '" + file("b.cfg") + "'");
    EXPECT_EQ(json.exitCode, c.exitCode);
    EXPECT_NE(
        json.out.find(c.exitCode == 0 ? "\"same_on_tracker\": true" : "\"same_on_tracker\": false"),
        std::string::npos)
        << json.out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, Diff,
    testing::Values(DiffCase{"", "", 0, {}},
                    DiffCase{"--set edMyCall=IK0ABC-7", "--set edMyCall=IK0ABC-7", 0, {}},
                    DiffCase{"--set edComm=1",
                             "--set edComm=4",
                             0,
                             {"Same on the tracker: only Comm num differs"}},
                    DiffCase{"--set edMyCall=IK0ABC-7",
                             "--set edMyCall=IK0ABC-9",
                             1,
                             {"MY CALLSIGN (edMyCall): 'IK0ABC-7' | 'IK0ABC-9'\n", ": 37 | 39\n"}},
                    DiffCase{"--set \"edBeacon=$(printf 'a\\tb')\"",
                             "--set edBeacon=ab",
                             1,
                             {"(edBeacon): 'a\\tb' | 'ab'\n"}}));

// send --record to a device that is not there: the failure is recorded, and
// history, diff and --last read the record back.
TEST_F(KorvelConfig, AFailedSendIsRecordedAndListed) {
    const std::string record = file("sent.jsonl");
    const std::string device = file("ttyUSB9");
    for (const char* call : {"IK0ABC-1", "IK0ABC-2"}) {
        const Outcome r =
            run("send --device '" + device + "' --record '" + record + "' --set edMyCall=" + call);
        EXPECT_EQ(r.exitCode, 3) << r.err;
    }
    const Outcome history = run("history '" + record + "'");
    EXPECT_EQ(history.exitCode, 0) << history.err;
    EXPECT_LT(history.out.find("IK0ABC-2"), history.out.find("IK0ABC-1")) << history.out;
    EXPECT_NE(history.out.find("failed at opening the port"), std::string::npos) << history.out;
    EXPECT_NE(history.out.find(device), std::string::npos) << history.out;
    EXPECT_EQ(run("history --device /dev/ttyUSB7 '" + record + "'").out, "");
    // Nothing was sent, so there is no last sent record to give back.
    EXPECT_EQ(run("history --last '" + record + "'").exitCode, 2);
    // A record compares as the settings it carries.
    ASSERT_EQ(run("save '" + file("b.cfg") + "' --set edMyCall=IK0ABC-2").exitCode, 0);
    const Outcome same = run("diff '" + record + "' '" + file("b.cfg") + "'");
    EXPECT_EQ(same.exitCode, 0) << same.out << same.err;
    // A record cut short is told, and the whole one before it still listed.
    std::string bytes = Slurp(record);
    std::ofstream(record, std::ios::binary) << bytes.substr(0, bytes.size() - 9);
    const Outcome cut = run("history '" + record + "'");
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_NE(cut.out.find("IK0ABC-1"), std::string::npos) << cut.out;
    EXPECT_NE(cut.err.find("line 2 is damaged"), std::string::npos) << cut.err;
}

// Rosters that are refused before anything is sent: ROSTER is the roster's
// text, written to a file; the device does not exist, so any send would fail
// with exit code 3.
struct RosterCase {
    std::string roster;
    std::string options;
    std::string message; // part of standard error
};

void PrintTo(const RosterCase& c, std::ostream* out) {
    *out << c.message;
}

class Roster : public KorvelConfig, public testing::WithParamInterface<RosterCase> {};

TEST_P(Roster, IsRefusedBeforeAnythingIsSent) {
    std::ofstream(file("roster.csv"), std::ios::binary) << GetParam().roster;
    const Outcome r = run("send --device '" + file("ttyUSB9") + "' --roster '" +
                          file("roster.csv") + "' " + GetParam().options + " </dev/null");
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, Roster,
    testing::Values(
        RosterCase{"edMyCall\nIK0ABC-1\nIK0ABC-2\nIK0ABC-1\n", "--yes",
                   "row 3, column edMyCall: IK0ABC-1 is also row 1"},
        RosterCase{"edMyCall,edNoSuch\nIK0ABC-1,x\n", "--yes", "unknown column 'edNoSuch'"},
        RosterCase{"edBeacon\nhello\n", "--yes", "no edMyCall column"},
        RosterCase{"edMyCall,edComm\nIK0ABC-1,1\nIK0ABC-2,12\n", "--yes",
                   "row 2, column edComm: Comm num (edComm): '12' does not fit"},
        RosterCase{"edMyCall,edBeacon\nIK0ABC-1\n", "--yes", "row 1: 1 values for 2 columns"},
        RosterCase{"edMyCall\n", "--yes", "no tracker rows"},
        RosterCase{"edMyCall\nIK0ABC-1\n", "", "standard input is not a terminal"},
        RosterCase{"edMyCall\nIK0ABC-1\n", "--yes --resume", "--resume needs --record"}));

INSTANTIATE_TEST_SUITE_P(
    RecordCommands, Usage,
    testing::Values(UsageCase{"diff /nonexistent/a.cfg /nonexistent/b.cfg",
                              "diff: /nonexistent/a.cfg: "},
                    UsageCase{"diff a.cfg", "give two files to compare"},
                    UsageCase{"history", "give the record file"},
                    UsageCase{"history /nonexistent/r.jsonl", "/nonexistent/r.jsonl: "},
                    UsageCase{"history r.jsonl --save x.cfg", "--save goes with --last"},
                    // The record cannot be written: nothing is sent (a send would exit with 3).
                    UsageCase{"send --device /nonexistent/ttyUSB9 --record /nonexistent/r.jsonl",
                              "--record /nonexistent/r.jsonl: cannot be written"}));

// decode of the image of each row's settings gives back what SEND leaves in
// them (fields --build): numbers quantised, as the tracker holds them.
class Decode : public KorvelConfig, public testing::WithParamInterface<std::string> {};

TEST_P(Decode, GivesBackTheSettingsAsSendLeavesThem) {
    const std::string image = file("image.hex");
    ASSERT_EQ(run("image " + GetParam(), image).exitCode, 0);
    const Outcome built = run("fields --build " + GetParam());
    const Outcome decoded = run("decode '" + image + "'");
    EXPECT_EQ(decoded.exitCode, 0) << decoded.err;
    EXPECT_EQ(decoded.out, built.out);
    EXPECT_NE(decoded.err.find("Comm num is not in the image"), std::string::npos);
    // The settings file it saves builds the same image again.
    ASSERT_EQ(run("decode --save '" + file("d.cfg") + "' '" + image + "'").exitCode, 0);
    EXPECT_EQ(run("image --file '" + file("d.cfg") + "'").out, Slurp(image));
}

INSTANTIATE_TEST_SUITE_P(Images, Decode,
                         testing::Values("", "--set edMyCall=IK0ABC-7 --set edNumFlagsAuto=033",
                                         "--set chkTable=1 --set 'esSpeedTable(6)=101'",
                                         "--set cbMicEMsg=3 --set chkAutoReply=1",
                                         "--set edGpsAcqTime=000 --set edBcnEvery=127",
                                         "--set \"edBeacon=$(printf 'QRV\\t145.500')\""));

// The line form (start marker, frame A and its checksum, marker, frame B and
// its checksum) made by the shell from the image that image prints.
#define KORVEL_DECODE_PIPE " | tr -d ' \\n' | sed "
#define KORVEL_DECODE " | '" KORVEL_CONFIG "' decode"
INSTANTIATE_TEST_SUITE_P(
    DecodeRefusals, Usage,
    testing::Values(UsageCase{"decode /nonexistent/x.hex", "/nonexistent/x.hex: "},
                    UsageCase{"decode < /dev/null", "0 bytes: an image is 114 bytes"},
                    UsageCase{"image | head -c 30" KORVEL_DECODE,
                              "10 bytes: an image is 114 bytes, or 120"},
                    UsageCase{"image | head -c 4" KORVEL_DECODE, "odd number of hex digits"},
                    UsageCase{"image" KORVEL_DECODE_PIPE
                              "'s/^\\(.\\{114\\}\\)\\(.*\\)$/FFFF\\100FFFF\\200/'" KORVEL_DECODE,
                              "byte 59 of the line, the checksum of frame A, is 0x00"},
                    UsageCase{"image" KORVEL_DECODE_PIPE "'s/^/FFFE/;s/$/00000000/'" KORVEL_DECODE,
                              "byte 1 of the line is 0xFE, not the start marker"},
                    UsageCase{"image" KORVEL_DECODE_PIPE "'s/^1E/FF/'" KORVEL_DECODE,
                              "not an image SEND writes"}));

} // namespace
