#include "air/AirReport.h"

#include "air/Ax25Frame.h"
#include "image/BuildImage.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvel {
namespace {

TEST(Ax25Frame, FcsIsTheCrcOfAx25) {
    const std::string check = "123456789"; // the CRC's published check value
    const std::vector<std::uint8_t> bytes(check.begin(), check.end());
    EXPECT_EQ(Ax25Fcs(bytes), 0x906E);
}

TEST(Ax25Frame, BitsOnAirCountTheFlagsAndEveryStuffedZero) {
    struct Row {
        std::vector<std::uint8_t> frame;
        int bits;
    };
    const Row rows[] = {
        {{}, 16},           {{0x00}, 24}, {{0xFF}, 25}, // one run of five
        {{0x7E}, 25},                                   // a flag's pattern inside the frame
        {{0xFF, 0xFF}, 35},                             // sixteen 1s: three stuffed zeros
        {{0xF0, 0x01}, 33}, // a run of five across two bytes, least significant bit first
        {{0x0F, 0x00}, 32}, // four 1s then a 0: nothing stuffed
    };
    for (const Row& row : rows) {
        EXPECT_EQ(BitsOnAir(row.frame), row.bits) << ::testing::PrintToString(row.frame);
    }
}

TEST(SamplePosition, TakesWhatAMicEReportCarries) {
    struct Row {
        const char* text;
        bool accepted;
    };
    const Row rows[] = {
        {"45.4642,9.1900", true}, {" -33.9, -70.6 ", true}, {"-90,179.9999", true},
        {"90,-0.5", true},        {"90.0001,0", false},     {"0,179.99999", false},
        {"0,-180", false},        {"45.4642", false},       {"45.4642,", false},
        {"north,east", false},    {"45.1,9.2x", false},     {"", false},
        {"nan,0", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseSamplePosition(row.text).has_value(), row.accepted) << row.text;
    }
}

class Air : public ::testing::Test {
protected:
    Air() { SetDefaults(settings); }

    AirReport report(const SamplePosition& sample = {}) const {
        auto built = BuildAirReport(settings, sample);
        EXPECT_TRUE(built.has_value()) << (built ? "" : built.error().message());
        return built ? *built : AirReport{};
    }

    void set(Field field, const char* text) { ASSERT_TRUE(settings.setText(field, text)); }

    SettingsRecord settings;
};

TEST_F(Air, FactorySettingsSendThreePacketsThroughTheirPath) {
    const AirReport air = report();
    ASSERT_EQ(air.packets.size(), 3u);
    const PacketKind kinds[] = {PacketKind::Position, PacketKind::Status, PacketKind::Message};
    for (std::size_t i = 0; i < 3; ++i) {
        const AirPacket& packet = air.packets[i];
        EXPECT_EQ(packet.kind, kinds[i]);
        EXPECT_TRUE(packet.tnc2.starts_with("NOCALL-9>")) << packet.tnc2;
        EXPECT_EQ(packet.bitsOnAir, BitsOnAir(packet.frame));
        EXPECT_DOUBLE_EQ(packet.airtimeSeconds, 0.2 + packet.bitsOnAir / 1200.0);
        EXPECT_EQ(packet.hops, 3); // WIDE1-1,WIDE2-2
        EXPECT_EQ(packet.copies, 4);
    }
    EXPECT_EQ(air.packets[1].tnc2, "NOCALL-9>QKORVL,WIDE1-1,WIDE2-2:>Korvel v2.5 by QX7ZUL Tev");
    EXPECT_EQ(air.packets[2].tnc2, "NOCALL-9>QKORVL,WIDE1-1,WIDE2-2::NOCALL   :Message sent "
                                   "using Korvel ver 2.5!");
    EXPECT_EQ(air.packets[2].sends, 7); // once, then Msg Retries 6
    EXPECT_FALSE(air.packets[0].note.empty());
    EXPECT_FALSE(air.assumptions.empty());
}

TEST_F(Air, RatesFollowTheIntervalsTheTrackerGets) {
    set(Field::esSpeedTable3, "005"); // raised to 10 s
    set(Field::esSpeedTable4, "125"); // 120 s
    const AirReport air = report();
    ASSERT_EQ(air.rates.size(), 1 + kSpeedBands);
    for (std::size_t i = 0; i < air.rates.size(); ++i) {
        const AirRate& rate = air.rates[i];
        const Field field = i == 0 ? Field::edManualTime : SpeedTableField(i - 1);
        EXPECT_EQ(rate.field, field);
        EXPECT_EQ(rate.intervalSeconds, IntervalAsSent(settings.text(field)));
        EXPECT_DOUBLE_EQ(rate.positionsPerHour * rate.intervalSeconds, 3600);
        EXPECT_DOUBLE_EQ(rate.statusPerHour * 3, rate.positionsPerHour); // Status txt every 3
        EXPECT_DOUBLE_EQ(rate.channelPercent, rate.airSecondsPerHourWithCopies / 36);
        EXPECT_DOUBLE_EQ(rate.airSecondsPerHourWithCopies, 4 * rate.airSecondsPerHour);
    }
    EXPECT_EQ(air.rates[4].intervalSeconds, 10);
    EXPECT_TRUE(air.rates[4].aboveReference);
}

// One station's share is a mobile every 60 s through WIDE1-1,WIDE2-1: the same
// settings at that interval are at the reference, not above it.
TEST_F(Air, TheReferenceIsAMobileEveryMinuteThroughTwoHops) {
    set(Field::edAprsPath, "WIDE1-1,WIDE2-1");
    struct Row {
        const char* interval;
        bool above;
    };
    for (const Row row : {Row{"060", false}, Row{"050", true}, Row{"070", false}}) {
        set(Field::esSpeedTable6, row.interval);
        const AirReport air = report();
        const AirRate& fastest = air.rates.back();
        EXPECT_EQ(fastest.aboveReference, row.above) << row.interval;
        if (std::string(row.interval) == "060") {
            EXPECT_DOUBLE_EQ(fastest.channelPercent, air.referencePercent);
        }
    }
}

TEST_F(Air, LeavesTheSettingsAsTheyAre) {
    set(Field::edNumFlagsAuto, "005"); // the build raises it to 7 ms: one step of 20/3 ms
    const AirReport air = report();
    EXPECT_EQ(settings.text(Field::edNumFlagsAuto), "005");
    EXPECT_DOUBLE_EQ(air.txDelaySeconds, 1 / 150.0);
}

TEST_F(Air, SettingsThatSendRefusesGiveTheirField) {
    set(Field::edMyCall, "");
    const auto air = BuildAirReport(settings, {});
    ASSERT_FALSE(air.has_value());
    EXPECT_EQ(air.error().field, Field::edMyCall);
}

TEST_F(Air, GpslessSendsTheStatusTextAsThePosition) {
    set(Field::edGpsAcqTime, "000");
    set(Field::edBeacon, "4527.85N/00911.40E[ Tev");
    const AirReport air = report();
    ASSERT_EQ(air.packets.size(), 2u);
    EXPECT_EQ(air.packets[0].tnc2, "NOCALL-9>QKORVL,WIDE1-1,WIDE2-2:!4527.85N/00911.40E[ Tev");
    EXPECT_EQ(air.packets[0].note,
              "position from the STATUS text: 45 deg 27.85 min N, 9 deg 11.40 min E");
    set(Field::edBeacon, "Home 4527.85N/00911.40E[");
    EXPECT_NE(report().packets[0].note.find("no position maps can place: "), std::string::npos);
    EXPECT_EQ(air.packets[1].kind, PacketKind::Message);
    EXPECT_DOUBLE_EQ(air.rates[0].statusPerHour, 0);
}

// The Mic-E message bits of the destination: P to Y for a 1, a digit for a 0.
TEST_F(Air, MicEDestinationCarriesTheMessageBits) {
    const SamplePosition milan;
    struct Row {
        int entry;
        int autoReply;
        const char* flags; // 1 where the character carries a 1
    };
    const Row rows[] = {{0, 0, "111"}, {1, 0, "110"}, {3, 1, "100"}, {7, 0, "000"}};
    for (const Row& row : rows) {
        ASSERT_TRUE(settings.setValue(Field::cbMicEMsg, row.entry));
        ASSERT_TRUE(settings.setValue(Field::chkAutoReply, row.autoReply));
        const AirReport air = report(milan);
        ASSERT_FALSE(air.packets.empty());
        const std::string tnc2 = air.packets[0].tnc2;
        const std::string destination = tnc2.substr(tnc2.find('>') + 1, 6);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(destination[i] >= 'P', row.flags[i] == '1') << row.entry << " " << tnc2;
        }
    }
}

} // namespace
} // namespace korvel
