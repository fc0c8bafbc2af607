// korvel-config air checked by a decoder nobody here wrote: Debian's direwolf
// (decode_aprs reads monitor lines and frame bytes, gen_packets writes a
// frame's AFSK audio, atest decodes audio). Skipped, saying why, where
// direwolf is not installed.

#include "CliRun.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using korvel::clitest::Outcome;
using korvel::clitest::Slurp;

constexpr const char* kMissing = "direwolf is not installed (decode_aprs, gen_packets, atest): "
                                 "apt-get install direwolf, or scripts/install-deps --test";

bool DirewolfInstalled() {
    return std::system("command -v decode_aprs >/dev/null && command -v gen_packets >/dev/null "
                       "&& command -v atest >/dev/null") == 0;
}

// One packet of air's text output: its monitor line and its frame's hex bytes.
struct Packet {
    std::string tnc2;
    std::string kind;
    int bits = 0;
    std::string hex; // FCS included
};

std::vector<Packet> PacketsOf(const std::string& out) {
    std::vector<Packet> packets;
    std::istringstream lines(out);
    std::string line;
    const std::regex detail(R"(  (\w+): \d+ bytes, (\d+) bits on the air,.*)");
    std::smatch match;
    while (std::getline(lines, line) && !line.empty()) {
        if (!line.starts_with("  ")) {
            packets.push_back({.tnc2 = line, .kind = {}, .bits = 0, .hex = {}});
        } else if (std::regex_match(line, match, detail)) {
            packets.back().kind = match[1];
            packets.back().bits = std::stoi(match[2]);
        } else if (line.starts_with("  frame: ")) {
            packets.back().hex = line.substr(9);
        }
    }
    return packets;
}

// What a shell command prints, direwolf's terminal colours taken out.
std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            text.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return std::regex_replace(text, std::regex("\x1b\\[[0-9;]*[A-Za-z]"), "");
}

class AirDecoder : public korvel::clitest::CliRun {
protected:
    void SetUp() override {
        if (!DirewolfInstalled()) {
            GTEST_SKIP() << kMissing;
        }
        CliRun::SetUp();
    }

    // decode_aprs's reading of a file written with `text`.
    std::string decode(const std::string& text) const {
        const std::string path = file("decode.txt");
        std::ofstream(path, std::ios::binary) << text;
        return Output("decode_aprs '" + path + "' 2>&1");
    }
};

struct Case {
    std::string name;
    std::string arguments;
    std::string header;                // SOURCE>DEST,PATH of the status and message
    std::vector<std::string> position; // what decode_aprs says of the position report
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class DecodedAsSent : public AirDecoder, public testing::WithParamInterface<Case> {};

// Every packet line decodes to what the settings say, and so do the frame's
// bytes, which must give back the very same monitor line.
TEST_P(DecodedAsSent, ByDecodeAprs) {
    const Case& c = GetParam();
    const Outcome r = run("air " + c.arguments);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<Packet> packets = PacketsOf(r.out);
    ASSERT_FALSE(packets.empty()) << r.out;
    for (const Packet& packet : packets) {
        SCOPED_TRACE(packet.tnc2);
        const std::string fromLine = decode(packet.tnc2 + "\n");
        EXPECT_EQ(fromLine.find("rror"), std::string::npos) << fromLine;
        EXPECT_EQ(fromLine.find("nvalid"), std::string::npos) << fromLine;
        // The frame without its FCS, as the decoder reads raw AX.25.
        const std::string hex = packet.hex.substr(0, packet.hex.size() - 6);
        const std::string fromBytes = decode(hex + "\n");
        EXPECT_NE(fromBytes.find("\n" + packet.tnc2 + "\n"), std::string::npos) << fromBytes;
        if (packet.kind == "position") {
            for (const std::string& part : c.position) {
                EXPECT_NE(fromLine.find(part), std::string::npos) << part << "\n" << fromLine;
            }
        } else {
            EXPECT_TRUE(packet.tnc2.starts_with(c.header + ":")) << c.header;
        }
        if (packet.kind == "status") {
            EXPECT_NE(fromLine.find("Status Report"), std::string::npos) << fromLine;
            EXPECT_NE(fromLine.find("\nKorvel v2.5 by QX7ZUL Tev\n"), std::string::npos)
                << fromLine;
        }
        if (packet.kind == "message") {
            EXPECT_NE(fromLine.find("APRS Message  for \"NOCALL\""), std::string::npos) << fromLine;
            EXPECT_NE(fromLine.find("\nMessage sent using Korvel ver 2.5!\n"), std::string::npos)
                << fromLine;
        }
    }
}

const std::string kMilan = "N 45 27.8500, E 009 11.4000";
const std::string kDefaultHeader = "NOCALL-9>QKORVL,WIDE1-1,WIDE2-2";

std::vector<Case> MicEMessages() {
    const char* names[] = {"Off Duty",  "En Route", "In Service", "Returning",
                           "Committed", "Special",  "Priority",   "Emergency"};
    std::vector<Case> cases;
    for (int i = 0; i < 8; ++i) {
        cases.push_back(
            {"MicE" + std::to_string(i),
             "--set cbMicEMsg=" + std::to_string(i),
             kDefaultHeader,
             {"MIC-E, normal car (side view), ", std::string(", ") + names[i] + "\n", kMilan}});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(MicEMessages, DecodedAsSent, testing::ValuesIn(MicEMessages()));

INSTANTIATE_TEST_SUITE_P(
    Settings, DecodedAsSent,
    testing::Values(
        Case{"PrimaryTable", "--set edSymbol=[", kDefaultHeader, {"MIC-E, Human, ", kMilan}},
        Case{"AlternateTable",
             "--set edSymbol=k --set chkTable=1",
             kDefaultHeader,
             {"MIC-E, SUV, ", kMilan}},
        Case{"Ssid0", "--set edMyCall=IK0ABC", "IK0ABC>QKORVL,WIDE1-1,WIDE2-2", {kMilan}},
        Case{"Ssid15",
             "--set edMyCall=IK0ABC-15 --set edReceiver=APRS-0",
             "IK0ABC-15>APRS,WIDE1-1,WIDE2-2",
             {kMilan}},
        Case{"NoPath", "--set edAprsPath=", "NOCALL-9>QKORVL", {kMilan}},
        Case{"TwoAddresses",
             "--set edAprsPath=WIDE1-1,WIDE2-1",
             "NOCALL-9>QKORVL,WIDE1-1,WIDE2-1",
             {kMilan}},
        Case{
            "SouthWest", "--at -33.4489,-70.6693", kDefaultHeader, {"S 33 26.9300, W 070 40.1600"}},
        Case{"UnderTenDegrees",
             "--at 51.5007,-0.1246",
             kDefaultHeader,
             {"N 51 30.0400, W 000 07.4800"}},
        Case{"HundredAndMore",
             "--at 1.35,103.8198",
             kDefaultHeader,
             {"N 01 21.0000, E 103 49.1900"}},
        Case{"HundredAndTenAndMore",
             "--at -33.8688,151.2093",
             kDefaultHeader,
             {"S 33 52.1300, E 151 12.5600"}},
        Case{"Gpsless",
             "--set edGpsAcqTime=000 --set 'edBeacon=4527.85N/00911.40E['",
             kDefaultHeader,
             {"Position, Human\n", kMilan}}));

// Two frames whose stuffed lengths differ by k bits give audio that differs by
// k/1200 s, and atest decodes the audio back to the same lines.
TEST_F(AirDecoder, AudioLengthsFollowTheStuffedBits) {
    const Outcome r = run("air --set edAprsPath=");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<Packet> packets = PacketsOf(r.out);
    ASSERT_GE(packets.size(), 2u);
    constexpr int kRate = 48000; // 40 samples a bit at 1200 baud
    std::vector<long> samples;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string line = file(("line" + std::to_string(i)).c_str());
        const std::string wav = file(("audio" + std::to_string(i) + ".wav").c_str());
        std::ofstream(line, std::ios::binary) << packets[i].tnc2; // no newline: it would be sent
        Output("gen_packets -r " + std::to_string(kRate) + " -o '" + wav + "' '" + line + "'");
        const std::string audio = Slurp(wav);
        ASSERT_GT(audio.size(), 44u) << wav;
        samples.push_back(
            static_cast<long>((audio.size() - 44) / 2)); // 16-bit mono after the header
        const std::string decoded = Output("atest '" + wav + "'");
        EXPECT_NE(decoded.find("] " + packets[i].tnc2 + "\n"), std::string::npos) << decoded;
    }
    const int k = packets[1].bits - packets[0].bits;
    ASSERT_NE(k, 0);
    const double audioDifference = static_cast<double>(samples[1] - samples[0]) / kRate;
    EXPECT_NEAR(audioDifference, k / 1200.0, 1 / 1200.0)
        << "k = " << k << " bits, audio differs by " << audioDifference << " s";
}

} // namespace
