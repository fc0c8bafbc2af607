#include "settingsfile/SettingsFileWriter.h"

#include "SettingsFileTestSupport.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

using test::Defaults;

TEST(SettingsFileWriter, FactoryDefaultsGiveTheFactorySettingsFileByteForByte) {
    std::string bytes;
    ASSERT_TRUE(WriteSettingsFile(Defaults(), bytes));
    EXPECT_EQ(bytes, test::kDefaultsFile);
}

TEST(SettingsFileWriter, PacksAutoReplyAndMicEIndexIntoLineOneValueFour) {
    SettingsRecord settings = Defaults();
    settings.setValue(Field::chkAutoReply, 1);
    settings.setValue(Field::cbMicEMsg, 5);
    settings.setValue(Field::chkTable, 1);
    std::string bytes;
    ASSERT_TRUE(WriteSettingsFile(settings, bytes));
    EXPECT_TRUE(bytes.starts_with("\"1\",\"200\",\"006\",21,\">\",1\r\n")) << bytes;
}

TEST(SettingsFileWriter, NoMicEEntryIsWrittenAsMinusOnePlusAutoReply) {
    SettingsRecord settings = Defaults();
    settings.setValue(Field::cbMicEMsg, -1);
    std::string bytes;
    ASSERT_TRUE(WriteSettingsFile(settings, bytes));
    EXPECT_TRUE(bytes.starts_with("\"1\",\"200\",\"006\",-1,")) << bytes;
}

// Line 9 value 2 keeps the interval within its seven bits, so that it can never
// spill into the bit of chkRxPosition.
struct StatusRateCase {
    const char* interval;
    int rxPosition;
    const char* written;
};

class StatusRate : public testing::TestWithParam<StatusRateCase> {};

TEST_P(StatusRate, IsTheIntervalUpTo127PlusTheDisplayBit) {
    SettingsRecord settings = Defaults();
    ASSERT_TRUE(settings.setText(Field::edBcnEvery, GetParam().interval));
    settings.setValue(Field::chkRxPosition, GetParam().rxPosition);
    std::string bytes;
    ASSERT_TRUE(WriteSettingsFile(settings, bytes));
    EXPECT_NE(bytes.find(std::string("\"0120\",") + GetParam().written + ",\"025\""),
              std::string::npos)
        << bytes;
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFileWriter, StatusRate,
    testing::Values(StatusRateCase{"003", 0, "3"}, StatusRateCase{"000", 0, "0"},
                    StatusRateCase{"010", 1, "138"}, StatusRateCase{"127", 1, "255"},
                    StatusRateCase{"200", 0, "127"}, StatusRateCase{"999", 1, "255"}));

TEST(SettingsFileWriter, RefusesAStatusIntervalThatIsNotANumberAndLeavesTheBytesAlone) {
    for (const char* interval : {"___", "12_", "1_2"}) {
        SettingsRecord settings = Defaults();
        ASSERT_TRUE(settings.setText(Field::edBcnEvery, interval));
        std::string bytes = "untouched";
        const auto written = WriteSettingsFile(settings, bytes);
        ASSERT_FALSE(written) << interval;
        EXPECT_EQ(written.error().message(),
                  std::string("Status txt every: '") + interval + "' is not a number");
        EXPECT_EQ(bytes, "untouched");
    }
}

TEST(SettingsFileWriter, WritesTextsAsTheFieldsHoldThemWithQuotesDoubled) {
    SettingsRecord settings = Defaults();
    settings.setText(Field::edBeacon, " say \"hi\", ok ");
    settings.setText(Field::edAprsMsg, "");
    settings.setText(Field::edSymbol, "\xE9");
    std::string bytes;
    ASSERT_TRUE(WriteSettingsFile(settings, bytes));
    EXPECT_NE(bytes.find("\" say \"\"hi\"\", ok \""), std::string::npos);
    EXPECT_NE(bytes.find(",\"\"\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(",\"\xE9\","), std::string::npos);
}

} // namespace
} // namespace korvel
