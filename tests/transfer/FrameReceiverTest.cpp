#include "FrameReceiver.h"

#include "DecodeImage.h"
#include "FactoryImage.h"
#include "settings/FieldRule.h"
#include "settings/FieldTable.h"
#include "transfer/Frames.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvel::sim {
namespace {

using Kind = ReceiverEvent::Kind;

std::vector<std::uint8_t> Wire(const ConfigImage& image) {
    const TransferFrames frames = BuildFrames(image);
    std::vector<std::uint8_t> wire(kStartMarker.begin(), kStartMarker.end());
    wire.insert(wire.end(), frames.a.begin(), frames.a.end());
    wire.insert(wire.end(), kStartMarker.begin(), kStartMarker.end());
    wire.insert(wire.end(), frames.b.begin(), frames.b.end());
    return wire;
}

std::vector<ReceiverEvent> Feed(FrameReceiver& receiver, const std::vector<std::uint8_t>& bytes) {
    std::vector<ReceiverEvent> events;
    for (std::uint8_t byte : bytes) {
        if (auto event = receiver.push(byte)) {
            events.push_back(*event);
        }
    }
    return events;
}

TEST(FrameReceiverTest, TakesBackTheImageFromAWholeTransfer) {
    FrameReceiver receiver;
    const auto events = Feed(receiver, Wire(test::kFactoryImage));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, Kind::FrameGood);
    EXPECT_EQ(events[0].frame, 'A');
    EXPECT_EQ(events[1].kind, Kind::Complete);
    EXPECT_EQ(events[1].image, test::kFactoryImage);
    EXPECT_TRUE(receiver.idle());
}

TEST(FrameReceiverTest, SkipsNoiseBeforeTheMarkerAndKeeps0xFFInsideFrames) {
    ConfigImage image{};
    image.fill(0xFF);
    std::vector<std::uint8_t> bytes = {0x00, 0xFF, 0x12, 0x34};
    const auto wire = Wire(image);
    bytes.insert(bytes.end(), wire.begin(), wire.end());
    FrameReceiver receiver;
    const auto events = Feed(receiver, bytes);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].kind, Kind::Complete);
    EXPECT_EQ(events[1].image, image);
}

struct DamageCase {
    const char* name;
    std::size_t corruptAt; // index in the 120 wire bytes
    char frame;
};

class FrameReceiverDamageTest : public testing::TestWithParam<DamageCase> {};

TEST_P(FrameReceiverDamageTest, NamesTheFrameWithTheBadChecksum) {
    auto wire = Wire(test::kFactoryImage);
    wire[GetParam().corruptAt] ^= 0x01;
    FrameReceiver receiver;
    const auto events = Feed(receiver, wire);
    ASSERT_EQ(events.size(), 2u);
    const ReceiverEvent& bad = events[GetParam().frame == 'A' ? 0 : 1];
    EXPECT_EQ(bad.kind, Kind::BadChecksum);
    EXPECT_EQ(bad.frame, GetParam().frame);
    EXPECT_EQ(bad.describe().substr(0, 21),
              std::string("frame ") + GetParam().frame + ": bad checksum");
    EXPECT_NE(events[1].kind, Kind::Complete);
    EXPECT_TRUE(receiver.idle());
}

INSTANTIATE_TEST_SUITE_P(Frames, FrameReceiverDamageTest,
                         testing::Values(DamageCase{"FirstByteOfA", 2, 'A'},
                                         DamageCase{"ChecksumOfA", 59, 'A'},
                                         DamageCase{"LastImageByteOfB", 118, 'B'},
                                         DamageCase{"ChecksumOfB", 119, 'B'}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SilenceCase {
    const char* name;
    std::size_t bytesSent;
    Kind kind;
    char frame;
    std::size_t received;
};

class FrameReceiverSilenceTest : public testing::TestWithParam<SilenceCase> {};

TEST_P(FrameReceiverSilenceTest, ReportsWhatWasMissingWhenTheLineFallsSilent) {
    const SilenceCase& c = GetParam();
    auto wire = Wire(test::kFactoryImage);
    wire.resize(c.bytesSent);
    FrameReceiver receiver;
    Feed(receiver, wire);
    const auto event = receiver.expire();
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->kind, c.kind);
    EXPECT_EQ(event->frame, c.frame);
    EXPECT_EQ(event->received, c.received);
    EXPECT_TRUE(receiver.idle());
    // After the silence a whole transfer is received again.
    EXPECT_EQ(Feed(receiver, Wire(test::kFactoryImage)).back().kind, Kind::Complete);
}

INSTANTIATE_TEST_SUITE_P(Cuts, FrameReceiverSilenceTest,
                         testing::Values(SilenceCase{"InsideA", 32, Kind::ShortFrame, 'A', 30},
                                         SilenceCase{"AfterA", 60, Kind::MissingFrame, 'B', 0},
                                         SilenceCase{"AfterMarkerB", 62, Kind::ShortFrame, 'B', 0},
                                         SilenceCase{"OneByteShortOfB", 119, Kind::ShortFrame, 'B',
                                                     57}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrameReceiverTest, SilenceWhileIdleIsNothing) {
    FrameReceiver receiver;
    EXPECT_FALSE(receiver.expire().has_value());
}

TEST(DecodeImageTest, ReadsTheFactoryDefaultsBack) {
    const DecodedImage decoded = DecodeImage(test::kFactoryImage);
    // A field's factory text from the table, and the number it holds.
    auto text = [](Field field) { return std::string(TraitsOf(field).defaultText); };
    auto number = [](Field field) {
        return std::to_string(NumericValue(TraitsOf(field).defaultText));
    };
    auto seconds = [&](Field field) { return number(field) + " s"; };
    // The decoder's own words for the states of the boxes and the list, and
    // its tenths of a second, stay written out.
    const std::vector<std::pair<Field, std::string>> expected = {
        {Field::edNumFlagsAuto, number(Field::edNumFlagsAuto) + " ms"},
        {Field::edSymbol, text(Field::edSymbol)},
        {Field::chkTable, "0 (primary /)"},
        {Field::edMyCall, text(Field::edMyCall)},
        {Field::edBcnEvery, "every " + number(Field::edBcnEvery) + " transmissions"},
        {Field::edAprsPath, text(Field::edAprsPath)},
        {Field::edBeacon, text(Field::edBeacon)},
        {Field::cbMicEMsg, "Off Duty"},
        {Field::chkRxPosition, "0 (off)"},
        {Field::edManualTime, seconds(Field::edManualTime)},
        {Field::edGpsCheckTime, seconds(Field::edGpsCheckTime)},
        {Field::edGpsAcqTime, "25 (2.5 s)"},
        {Field::esSpeedTable0, seconds(Field::esSpeedTable0)},
        {Field::esSpeedTable1, seconds(Field::esSpeedTable1)},
        {Field::esSpeedTable2, seconds(Field::esSpeedTable2)},
        {Field::esSpeedTable3, seconds(Field::esSpeedTable3)},
        {Field::esSpeedTable4, seconds(Field::esSpeedTable4)},
        {Field::esSpeedTable5, seconds(Field::esSpeedTable5)},
        {Field::esSpeedTable6, seconds(Field::esSpeedTable6)},
        {Field::edReceiver, text(Field::edReceiver)},
        {Field::edMsgRepeat, number(Field::edMsgRepeat)},
        {Field::edDestCall, text(Field::edDestCall)},
        {Field::edAprsMsg, text(Field::edAprsMsg)},
        {Field::chkAutoReply, "0 (off)"},
    };
    ASSERT_EQ(decoded.fields.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(decoded.fields[i].field, expected[i].first) << i;
        EXPECT_EQ(decoded.fields[i].value, expected[i].second) << TraitsOf(expected[i].first).name;
    }
    EXPECT_FALSE(decoded.gpsless);
}

TEST(DecodeImageTest, ReadsGpslessModeFlagsAndAShortPath) {
    ConfigImage image = test::kFactoryImage;
    image[2] = 0x10 | 7;  // auto reply, Emergency
    image[4] = '\\';      // alternate table
    image[5] = 252;       // GPSless mark
    image[14] = 0;        // GPS timeout 0
    image[15] = 0x80 | 5; // received positions hidden, status every 5th
    image[37] = 0;        // one digipeater only
    image[29] = '0' + 15; // SSID 15
    const DecodedImage decoded = DecodeImage(image);
    auto value = [&](Field field) {
        for (const DecodedField& f : decoded.fields) {
            if (f.field == field) {
                return f.value;
            }
        }
        return std::string("?");
    };
    EXPECT_TRUE(decoded.gpsless);
    EXPECT_EQ(value(Field::chkAutoReply), "1 (on)");
    EXPECT_EQ(value(Field::cbMicEMsg), "Emergency");
    EXPECT_EQ(value(Field::chkTable), "1 (alternate \\)");
    EXPECT_EQ(value(Field::edGpsCheckTime), "GPSless mode");
    EXPECT_EQ(value(Field::chkRxPosition), "1 (on)");
    EXPECT_EQ(value(Field::edBcnEvery), "every 5 transmissions");
    EXPECT_EQ(value(Field::edAprsPath), "WIDE1-1");
    EXPECT_EQ(value(Field::edMyCall), "NOCALL-15");
}

} // namespace
} // namespace korvel::sim
