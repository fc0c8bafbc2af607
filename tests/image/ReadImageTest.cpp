#include "image/ReadImage.h"

#include "BuildTestSupport.h"
#include "image/PutCallsign.h"

#include <algorithm>
#include <random>

namespace korvel {
namespace {

// Random settings from the field table: digits or prompts in a number's
// positions, characters of its key filter in a free text.
class RandomSettings {
public:
    explicit RandomSettings(unsigned seed) : random_(seed) {}

    void fill(SettingsRecord& settings) {
        SetDefaults(settings);
        for (const FieldTraits& traits : AllFields()) {
            if (pick(0, 3) == 0 || traits.field == Field::edComm) {
                continue; // keeps its default
            }
            if (traits.kind == FieldKind::Check) {
                ASSERT_TRUE(settings.setValue(traits.field, pick(0, 1)));
            } else if (traits.kind == FieldKind::ListIndex) {
                ASSERT_TRUE(settings.setValue(traits.field, pick(0, 7)));
            } else {
                ASSERT_TRUE(settings.setText(traits.field, text(traits))) << traits.name;
            }
        }
    }

private:
    int pick(int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(random_);
    }

    std::string text(const FieldTraits& traits) {
        if (traits.mask == "&") {
            return std::string(1, static_cast<char>(pick(33, 126)));
        }
        std::string text;
        if (traits.isNumeric()) {
            const bool small = pick(0, 1) == 0; // leading zeros, near the lowest values
            for (std::size_t i = 0; i < traits.mask.size(); ++i) {
                text +=
                    small && i + 2 < traits.mask.size() ? '0' : static_cast<char>(pick('0', '9'));
            }
            return text;
        }
        const std::string_view callsign = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-- ";
        const int length = pick(traits.keyFilter == KeyFilter::Callsign ? 1 : 0, traits.maxLength);
        for (int i = 0; i < length; ++i) {
            switch (traits.keyFilter) {
            case KeyFilter::Callsign:
                text += callsign[static_cast<std::size_t>(pick(0, 38))];
                break;
            case KeyFilter::Path:
                text += pick(0, 6) == 0 ? ',' : callsign[static_cast<std::size_t>(pick(0, 38))];
                break;
            default:
                text += static_cast<char>(pick(1, 255));
            }
        }
        return text;
    }

    std::mt19937 random_;
};

bool IsAddress(const FieldTraits& traits) {
    return traits.image.codec == ImageCodec::Address ||
           traits.image.codec == ImageCodec::SourceAddress;
}

TEST_F(Build, EverySettingSurvivesBuildThenReadAsTheTrackerHoldsIt) {
    RandomSettings random(25);
    int built = 0;
    for (int round = 0; round < 3000; ++round) {
        random.fill(settings);
        if (!build().success()) {
            continue;
        }
        ++built;
        auto read = ReadImage(image);
        ASSERT_TRUE(read) << read.error().message();
        ConfigImage again{};
        ASSERT_TRUE(BuildImage(read->settings, again).success());
        ASSERT_EQ(again, image) << "round " << round;
        for (Field field : ImageOrder()) {
            const FieldTraits& traits = TraitsOf(field);
            if (std::ranges::count(read->notHeld, field) != 0) {
                continue;
            }
            if (!traits.isText()) {
                EXPECT_EQ(read->settings.value(field), settings.value(field)) << traits.name;
            } else if (IsAddress(traits)) {
                // "AB-05" is sent as "AB-5": the same entry
                EXPECT_EQ(ParseCallsign(read->settings.text(field))->entry,
                          ParseCallsign(settings.text(field))->entry)
                    << traits.name;
            } else if (traits.image.codec != ImageCodec::DigipeaterPath) {
                EXPECT_EQ(read->settings.text(field), settings.text(field)) << traits.name;
            }
        }
    }
    EXPECT_GT(built, 400); // enough random settings build
}

TEST_F(Build, ReadingTellsWhatTheImageDoesNotHold) {
    ASSERT_TRUE(build().success());
    auto read = ReadImage(image);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->notHeld, std::vector<Field>{Field::edComm});

    set(Field::edGpsAcqTime, "000");
    ASSERT_TRUE(build().success());
    read = ReadImage(image);
    ASSERT_TRUE(read) << read.error().message();
    EXPECT_EQ(read->notHeld, (std::vector<Field>{Field::edGpsCheckTime, Field::edComm}));
}

struct StrayByte {
    std::size_t offset;
    int byte;
    std::optional<Field> field;
    std::string reason;
};

TEST_F(Build, ReadingRefusesABytesThatNoSettingGivesAndNamesItsOffset) {
    const StrayByte cases[] = {
        {0, 0, Field::edNumFlagsAuto, "no value of the field gives the byte 0"},
        {0, 150, Field::edNumFlagsAuto, "no value of the field gives the byte 150"},
        {1, 255, std::nullopt, ""},
        {2, 0x80, std::nullopt, "bit 7 is set, which no setting sets"},
        {2, 0x08, Field::cbMicEMsg, ""},
        {2, 0x30, Field::chkAutoReply, ""},
        {3, 0x07, Field::edSymbol, ""},
        {4, 'x', Field::chkTable, "the byte 120 is neither '/' nor '\\'"},
        {5, 0, Field::edGpsCheckTime, "no value of the field gives the byte 0"},
        {7, 255, std::nullopt, ""},
        {8, 100, Field::esSpeedTable2, "no value of the field gives the byte 100"},
        {14, 0, Field::edGpsCheckTime, "GPSless mode puts 252 here, not 10"},
        {16, ' ', Field::edReceiver, "the callsign starts with a space"},
        {18, '-', Field::edReceiver, "a \"-\" after the first character would start the SSID"},
        {22, '@', Field::edReceiver, "SSID byte 64 is not \"0\" to \"?\""},
        {29, '/', Field::edMyCall, "SSID byte 47 is not \"0\" to \"?\""},
        {44, 'A', Field::edAprsPath, "the byte 65 after the end"},
        {71, 'A', Field::edBeacon, "the byte 65 after the end"},
        {113, 'A', Field::edAprsMsg, "the text has no closing 0"},
    };
    for (const StrayByte& c : cases) {
        SetDefaults(settings);
        ASSERT_TRUE(build().success());
        image[c.offset] = static_cast<std::uint8_t>(c.byte);
        if (c.offset == 113) {
            std::fill(image.begin() + 79, image.end(), 'A');
        }
        const auto read = ReadImage(image);
        const std::string what =
            "byte " + std::to_string(c.byte) + " at " + std::to_string(c.offset);
        if (!c.field && c.reason.empty()) {
            EXPECT_TRUE(read) << what << ": " << read.error().message(); // a value of its own
            continue;
        }
        ASSERT_FALSE(read) << what;
        EXPECT_EQ(read.error().field, c.field) << what << ": " << read.error().message();
        EXPECT_EQ(read.error().offset,
                  c.field == Field::edGpsCheckTime && c.offset == 14 ? 5 : c.offset)
            << what;
        if (!c.reason.empty()) {
            EXPECT_EQ(read.error().reason, c.reason) << what;
        }
    }
}

} // namespace
} // namespace korvel
