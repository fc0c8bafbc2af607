#include "BuildTestSupport.h"

namespace korvel {
namespace {

using namespace std::string_literals;

TEST_F(Build, FactoryDefaultsGiveTheKnownImageAndKeepEveryText) {
    std::vector<std::string> before;
    for (const FieldTraits& traits : AllFields()) {
        before.push_back(traits.isText() ? settings.text(traits.field) : "");
    }
    image.fill(0xAA); // the build clears what an earlier one left
    const BuildResult result = build();
    EXPECT_TRUE(result.success());
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.gpslessMode, false);
    EXPECT_EQ(image, test::kFactoryImage);
    for (const FieldTraits& traits : AllFields()) {
        if (traits.isText()) {
            EXPECT_EQ(settings.text(traits.field), before[FieldIndex(traits.field)]) << traits.name;
        }
    }
}

struct NumberCase {
    Field field;
    std::string text;
    std::size_t offset;
    int byte;
    std::string shown;
};

TEST_F(Build, NumbersAreRaisedQuantisedAndWrittenBackWithLeadingZeros) {
    const NumberCase cases[] = {
        {Field::edNumFlagsAuto, "005", 0, 1, "007"},
        {Field::edNumFlagsAuto, "006", 0, 1, "007"},
        {Field::edNumFlagsAuto, "000", 0, 1, "007"},
        {Field::edNumFlagsAuto, "___", 0, 1, "007"},
        {Field::edNumFlagsAuto, "_50", 0, 1, "007"},
        {Field::edNumFlagsAuto, "010", 0, 2, "013"},
        {Field::edNumFlagsAuto, "030", 0, 4, "027"}, // 4.5 rounds to even
        {Field::edNumFlagsAuto, "200", 0, 30, "200"},
        {Field::edNumFlagsAuto, "20_", 0, 3, "020"},
        {Field::edNumFlagsAuto, "996", 0, 149, "993"},
        {Field::edMsgRepeat, "255", 1, 255, "255"},
        {Field::edMsgRepeat, "12_", 1, 12, "012"},
        {Field::edMsgRepeat, "___", 1, 0, "000"},
        {Field::edGpsCheckTime, "005", 5, 1, "010"},
        {Field::edGpsCheckTime, "015", 5, 2, "020"},
        {Field::edGpsCheckTime, "025", 5, 2, "020"},
        {Field::edGpsCheckTime, "994", 5, 99, "990"},
        {Field::esSpeedTable0, "0003", 6, 1, "0010"},
        {Field::esSpeedTable0, "2545", 6, 254, "2540"},
        {Field::esSpeedTable0, "2550", 6, 255, "2550"},
        {Field::esSpeedTable0, "2554", 6, 255, "2550"},
        {Field::esSpeedTable1, "____", 7, 1, "0010"},
        {Field::esSpeedTable2, "005", 8, 1, "010"},
        {Field::esSpeedTable6, "094", 12, 9, "090"},
        {Field::esSpeedTable6, "095", 12, 10, "100"}, // 9.5 rounds to even
        {Field::esSpeedTable6, "994", 12, 99, "990"},
        {Field::edManualTime, "0009", 13, 1, "0010"},
        {Field::edManualTime, "2554", 13, 255, "2550"},
        {Field::edGpsAcqTime, "255", 14, 255, "255"},
        {Field::edGpsAcqTime, "1__", 14, 1, "001"},
        {Field::edBcnEvery, "200", 15, 127, "127"},
        {Field::edBcnEvery, "128", 15, 127, "127"},
        {Field::edBcnEvery, "127", 15, 127, "127"},
        {Field::edBcnEvery, "___", 15, 0, "000"},
    };
    for (const NumberCase& c : cases) {
        SetDefaults(settings);
        set(c.field, c.text);
        const BuildResult result = build();
        const std::string what = std::string(TraitsOf(c.field).name) + " '" + c.text + "'";
        ASSERT_TRUE(result.success()) << what << ": " << result.error->message();
        EXPECT_EQ(image[c.offset], c.byte) << what;
        EXPECT_EQ(settings.text(c.field), c.shown) << what;

        // What the field now shows packs into the same byte.
        const ConfigImage first = image;
        EXPECT_TRUE(build().success());
        EXPECT_EQ(image, first) << what;
    }
}

TEST_F(Build, DisplayFlagTakesBitSevenOfTheStatusRate) {
    set(Field::chkRxPosition, 1);
    set(Field::edBcnEvery, "200");
    ASSERT_TRUE(build().success());
    EXPECT_EQ(image[15], 255);
    EXPECT_EQ(settings.text(Field::edBcnEvery), "127");

    set(Field::edBcnEvery, "003");
    ASSERT_TRUE(build().success());
    EXPECT_EQ(image[15], 131);
    EXPECT_EQ(settings.text(Field::edBcnEvery), "003");
}

TEST_F(Build, ZeroAcquisitionTimeoutSelectsGpslessMode) {
    for (const std::string timeout : {"000", "___", "0_5"}) {
        SetDefaults(settings);
        set(Field::edGpsAcqTime, timeout);
        set(Field::edGpsCheckTime, "005");
        const BuildResult result = build();
        ASSERT_TRUE(result.success()) << timeout;
        EXPECT_EQ(result.gpslessMode, true) << timeout;
        EXPECT_EQ(image[5], 252) << timeout;
        EXPECT_EQ(image[14], 0) << timeout;
        EXPECT_EQ(settings.text(Field::edGpsAcqTime), "000") << timeout;
        EXPECT_EQ(settings.text(Field::edGpsCheckTime), "010") << timeout;
    }
    set(Field::edGpsAcqTime, "025");
    const BuildResult back = build();
    ASSERT_TRUE(back.success());
    EXPECT_EQ(back.gpslessMode, false);
    EXPECT_EQ(image[5], 1);
}

TEST_F(Build, SymbolTableAndMessageFlags) {
    struct Case {
        int table, autoReply, entry;
        int tableByte, flagsByte;
    };
    const Case cases[] = {
        {0, 0, 0, 47, 0},  {1, 0, 3, 92, 3},  {2, 0, 7, 92, 7},
        {0, 1, 7, 47, 23}, {0, 2, 1, 47, 33}, // a greyed box counts with its state
    };
    for (const Case& c : cases) {
        set(Field::chkTable, c.table);
        set(Field::chkAutoReply, c.autoReply);
        set(Field::cbMicEMsg, c.entry);
        ASSERT_TRUE(build().success());
        EXPECT_EQ(image[4], c.tableByte) << "chkTable " << c.table;
        EXPECT_EQ(image[2], c.flagsByte) << c.autoReply << "/" << c.entry;
    }
}

TEST_F(Build, SymbolIsItsCodePageByte) {
    for (const std::string symbol : {"_", "\xE9", " "}) {
        set(Field::edSymbol, symbol);
        ASSERT_TRUE(build().success());
        EXPECT_EQ(image[3], static_cast<std::uint8_t>(symbol[0]));
    }
}

TEST_F(Build, CallsignFieldsShowWhatWasPacked) {
    set(Field::edMyCall, "N1CALL-0");
    set(Field::edReceiver, " LONGCALL");
    set(Field::edDestCall, "AB-16");
    ASSERT_TRUE(build().success());
    EXPECT_EQ(bytes(16, 7), "LONGCA0");
    EXPECT_EQ(bytes(23, 7), "N1CALL0");
    EXPECT_EQ(bytes(72, 7), "AB    0");
    EXPECT_EQ(settings.text(Field::edMyCall), "N1CALL");
    EXPECT_EQ(settings.text(Field::edReceiver), "LONGCA");
    EXPECT_EQ(settings.text(Field::edDestCall), "AB");
}

struct PathCase {
    std::string path;
    std::string addressList; // offsets 23 to 44, source entry first
    std::string shown;
};

TEST_F(Build, PathEndsTheAddressListWithExactlyOneZero) {
    const PathCase cases[] = {
        {"", "NOCALL9"s + std::string(15, '\0'), ""},
        {"WIDE2-2", "NOCALL9WIDE2 2"s + std::string(8, '\0'), "WIDE2-2"},
        {"WIDE2-2,", "NOCALL9WIDE2 2      0\0"s, "WIDE2-2,"},
        {"WIDE1-01,WIDE2-2", "NOCALL9WIDE1 1WIDE2 2\0"s, "WIDE1-01,WIDE2-2"},
        {"A,B,C", "NOCALL9A     0B     0\0"s, "A,B"},
        {"WIDE1-1,WIDE2-2,W-3", "NOCALL9WIDE1 1WIDE2 2\0"s, "WIDE1-1,WIDE2-2"},
        {"LONGCALL-3,X-0", "NOCALL9LONGCA3X     0\0"s, "LONGCA-3,X"},
        // Spaces around the path are no address: nothing blank goes on the air
        // that the field, written back, would not show.
        {"   ", "NOCALL9"s + std::string(15, '\0'), ""},
        {" WIDE2-2 ", "NOCALL9WIDE2 2"s + std::string(8, '\0'), "WIDE2-2"},
        // A comma never becomes part of a callsign.
        {" ,WIDE2-2", "NOCALL9      0WIDE2 2\0"s, ",WIDE2-2"},
    };
    for (const PathCase& c : cases) {
        SetDefaults(settings);
        set(Field::edAprsPath, c.path);
        ASSERT_TRUE(build().success()) << c.path;
        EXPECT_EQ(bytes(23, 22), c.addressList) << "'" << c.path << "'";
        EXPECT_EQ(settings.text(Field::edAprsPath), c.shown) << "'" << c.path << "'";
        EXPECT_EQ(image[45], 'K'); // the status text follows untouched
    }
}

TEST_F(Build, TextsEndWithOneZeroWithinTheirRoom) {
    set(Field::edBeacon, "");
    set(Field::edAprsMsg, "");
    ASSERT_TRUE(build().success());
    EXPECT_EQ(bytes(45, 27), std::string(27, '\0'));
    EXPECT_EQ(bytes(79, 35), std::string(35, '\0'));

    const std::string status(26, 'S');
    const std::string message = "0123456789012345678901234567890123";
    set(Field::edBeacon, status);
    set(Field::edAprsMsg, message);
    ASSERT_TRUE(build().success());
    EXPECT_EQ(bytes(45, 27), status + '\0');
    EXPECT_EQ(bytes(72, 7), "NOCALL0");
    EXPECT_EQ(bytes(79, 35), message + '\0'); // the 0 is the image's last byte
}

} // namespace
} // namespace korvel
