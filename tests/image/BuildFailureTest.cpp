#include "BuildTestSupport.h"
#include "image/ImageNumbers.h"
#include "settings/FieldRule.h"

namespace korvel {
namespace {

using namespace std::string_literals;

struct FailureCase {
    Field field;
    std::string text;
    std::string message;
};

TEST_F(Build, FailureNamesTheFieldAndWhy) {
    const FailureCase cases[] = {
        {Field::edNumFlagsAuto, "997", "TX DELAY: 1000 does not fit 3 digits"},
        {Field::edNumFlagsAuto, "999", "TX DELAY: 1000 does not fit 3 digits"},
        {Field::edMsgRepeat, "256", "Msg Retries: 256 does not fit a byte"},
        {Field::edGpsCheckTime, "995", "Acquisition interval: 1000 does not fit 3 digits"},
        {Field::esSpeedTable0, "2555", "Speed 0-3 Km/h: 256 does not fit a byte"},
        {Field::esSpeedTable1, "9999", "Speed 4-9 Km/h: 1000 does not fit a byte"},
        {Field::esSpeedTable2, "995", "Speed 10-22 Km/h: 1000 does not fit 3 digits"},
        {Field::esSpeedTable6, "999", "Speed > 125 Km/h: 1000 does not fit 3 digits"},
        {Field::edManualTime, "2555", "Manual Timing Every: 256 does not fit a byte"},
        {Field::edGpsAcqTime, "256", "Acquisition timeout: 256 does not fit a byte"},
        {Field::edReceiver, "", "Unprotocol call: empty"},
        {Field::edReceiver, "    ", "Unprotocol call: empty"},
        {Field::edMyCall, "", "MY CALLSIGN: empty"},
        {Field::edMyCall, "  ", "MY CALLSIGN: empty"},
        {Field::edMyCall, "A-99999", "MY CALLSIGN: SSID code 100047 does not fit 16 bits"},
        {Field::edReceiver, "Q-32720", "Unprotocol call: SSID code 32768 does not fit 16 bits"},
        {Field::edAprsPath, "W-1,B-99999", "APRS PATH: SSID code 100047 does not fit 16 bits"},
        {Field::edDestCall, "D--99999",
         "APRS message TO CALL: SSID code -99951 does not fit 16 bits"},
    };
    for (const FailureCase& c : cases) {
        SetDefaults(settings);
        set(c.field, c.text);
        const BuildResult result = build();
        EXPECT_FALSE(result.success()) << c.message;
        ASSERT_TRUE(result.error) << c.message;
        EXPECT_EQ(result.error->field, c.field);
        EXPECT_EQ(result.error->message(), c.message);
    }
}

TEST_F(Build, WhatWasWrittenBeforeTheFailureStays) {
    set(Field::edNumFlagsAuto, "005");
    set(Field::edGpsCheckTime, "995");
    image = test::kFactoryImage;
    const BuildResult result = build();
    ASSERT_FALSE(result.success());
    EXPECT_EQ(settings.text(Field::edNumFlagsAuto), "007"); // written back before the failure
    EXPECT_EQ(settings.text(Field::edGpsCheckTime), "995"); // "1000" was refused
    EXPECT_EQ(bytes(0, 6), "\x01\x06\x00\x3E\x2F\x64"s);    // 100 units, packed before the refusal
    EXPECT_EQ(bytes(6, 108), std::string(108, '\0'));       // the earlier image is gone
    EXPECT_FALSE(result.gpslessMode);                       // the notes keep their colour
}

TEST_F(Build, FailureAfterTheTimeoutStepStillReportsGpslessMode) {
    set(Field::edGpsAcqTime, "000");
    set(Field::edReceiver, "QKORVL-0");
    set(Field::edMyCall, "A-99999");
    const BuildResult result = build();
    ASSERT_FALSE(result.success());
    EXPECT_EQ(result.gpslessMode, true);
    EXPECT_EQ(image[5], 252);
    EXPECT_EQ(settings.text(Field::edReceiver), "QKORVL");
    EXPECT_EQ(settings.text(Field::edMyCall), "A-99999");
    EXPECT_EQ(bytes(16, 7), "QKORVL0");
    EXPECT_EQ(bytes(23, 91), std::string(91, '\0'));
}

TEST_F(Build, BlankCallsignStillRunsEveryStep) {
    set(Field::edMyCall, "   ");
    set(Field::edDestCall, "AB-0");
    const BuildResult result = build();
    ASSERT_FALSE(result.success());
    EXPECT_EQ(result.error->message(), "MY CALLSIGN: empty");
    EXPECT_EQ(settings.text(Field::edMyCall), "");
    EXPECT_EQ(settings.text(Field::edDestCall), "AB");
    ConfigImage expected = test::kFactoryImage;
    std::copy_n("      0", 7, expected.begin() + 23);
    std::copy_n("AB    0", 7, expected.begin() + 72);
    EXPECT_EQ(image, expected);
}

TEST_F(Build, NoMicEEntryFailsWithOrWithoutAutoReply) {
    set(Field::cbMicEMsg, -1);
    for (int autoReply : {0, 1}) {
        set(Field::chkAutoReply, autoReply);
        const BuildResult result = build();
        EXPECT_FALSE(result.success());
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->message(), "Mic-E msg: no entry selected");
        EXPECT_EQ(bytes(0, 3), "\x1E\x06\x00"s) << "auto reply " << autoReply;
    }
}

TEST_F(Build, NegativeSsidIsSentAsNoSsid) {
    set(Field::edMyCall, "AB--5");
    set(Field::edDestCall, "CD--48");
    ASSERT_TRUE(build().success());
    EXPECT_EQ(bytes(23, 7), "AB    0");
    EXPECT_EQ(bytes(72, 7), "CD    0");
    EXPECT_EQ(settings.text(Field::edMyCall), "AB");
    EXPECT_EQ(settings.text(Field::edDestCall), "CD");
}

// The range that the descriptions, the help and the guide state is the one the
// build enforces: the highest value builds, the next is refused (a capped count
// is lowered instead).
TEST_F(Build, TheHighestValueStatedIsTheHighestThatBuilds) {
    for (const FieldTraits& traits : AllFields()) {
        if (!traits.isNumeric() || !traits.image.inImage()) {
            continue;
        }
        const long highest = HighestSent(traits);
        const auto digits = static_cast<int>(traits.mask.size());
        EXPECT_NE(DescriptionOf(traits.field).find(" to " + std::to_string(highest)),
                  std::string::npos)
            << traits.name;
        SetDefaults(settings);
        set(traits.field, ZeroPadded(highest, digits));
        EXPECT_TRUE(build().success()) << traits.name << " " << highest;
        const std::string next = ZeroPadded(highest + 1, digits);
        if (next.size() > traits.mask.size()) {
            continue; // the mask stops there already
        }
        SetDefaults(settings);
        set(traits.field, next);
        const BuildResult result = build();
        if (traits.image.codec == ImageCodec::CappedCount) {
            EXPECT_TRUE(result.success()) << traits.name;
            EXPECT_EQ(settings.text(traits.field), ZeroPadded(highest, digits)) << traits.name;
        } else {
            ASSERT_FALSE(result.success()) << traits.name << " " << next;
            EXPECT_EQ(result.error->field, traits.field) << result.error->message();
        }
    }
}

TEST_F(Build, GreyedDisplayBoxDoesNotFitTheStatusByte) {
    set(Field::chkRxPosition, 2);
    const BuildResult result = build();
    ASSERT_FALSE(result.success());
    EXPECT_EQ(result.error->message(),
              "Disable display position of received stations: 259 does not fit a byte");
    EXPECT_EQ(image[15], 0);
}

// Settings whose symbol field holds nothing, which the in-memory record's
// mask never allows but another home of the settings might.
class SymbolLess final : public DeviceSettings {
public:
    SymbolLess() { SetDefaults(record_); }
    std::string text(Field field) const override {
        return field == Field::edSymbol ? "" : record_.text(field);
    }
    Result<void, FieldError> setText(Field field, std::string_view text) override {
        return record_.setText(field, text);
    }
    int value(Field field) const override { return record_.value(field); }
    Result<void, FieldError> setValue(Field field, int value) override {
        return record_.setValue(field, value);
    }

private:
    SettingsRecord record_;
};

TEST(BuildImage, EmptySymbolFails) {
    SymbolLess settings;
    ConfigImage image{};
    const BuildResult result = BuildImage(settings, image);
    ASSERT_FALSE(result.success());
    EXPECT_EQ(result.error->message(), "ICON Symbol: holds no character");
}

} // namespace
} // namespace korvel
