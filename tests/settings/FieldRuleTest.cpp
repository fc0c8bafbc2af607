#include "settings/FieldRule.h"

#include "settings/KeyFilters.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace korvel {
namespace {

// A rule keeps its traits by reference, so it cannot be made from a temporary.
static_assert(std::is_constructible_v<FieldRule, const FieldTraits&>);
static_assert(!std::is_constructible_v<FieldRule, FieldTraits>);

struct PutCase {
    Field field;
    std::string text;
    bool accepted;
};

TEST(FieldRule, ProgramPutTextsFitTheMaskOrAreRefusedWhole) {
    const PutCase cases[] = {
        {Field::edMsgRepeat, "006", true},
        {Field::edMsgRepeat, "12_", true},
        {Field::edMsgRepeat, "___", true},
        {Field::edMsgRepeat, "", false},
        {Field::edMsgRepeat, "06", false},
        {Field::edMsgRepeat, "1000", false},
        {Field::edMsgRepeat, "0a6", false},
        {Field::edManualTime, "0120", true},
        {Field::edManualTime, "120", false},
        {Field::edComm, "1", true},
        {Field::edComm, "12", false},
        {Field::edComm, "_", true},
        {Field::edSymbol, ">", true},
        {Field::edSymbol, "\xE9", true},
        {Field::edSymbol, "\x7F", false},
        {Field::edSymbol, "\x1F", false},
        {Field::edSymbol, "", false},
        {Field::edMyCall, "NOCALL-99", true},
        {Field::edMyCall, "NOCALL-999", false},
        {Field::edMyCall, "", true},
        {Field::edAprsMsg, std::string(34, 'x'), true},
        {Field::edAprsMsg, std::string(35, 'x'), false},
        {Field::edAprsMsg, "bell\x07", true}, // a control code other than 0 is a character
    };
    for (const PutCase& c : cases) {
        SettingsRecord record;
        SetDefaults(record);
        const std::string before = record.text(c.field);
        const auto set = record.setText(c.field, c.text);
        EXPECT_EQ(set.has_value(), c.accepted) << TraitsOf(c.field).name << " '" << c.text << "'";
        EXPECT_EQ(record.text(c.field), c.accepted ? c.text : before);
        if (!set) {
            EXPECT_EQ(set.error().field, c.field);
            EXPECT_EQ(set.error().message().rfind(CaptionOf(c.field) + ": ", 0), 0u);
        }
    }
}

// A 0 would end the text early on the tracker, or the address list in a
// callsign: every field that holds free text refuses it, wherever it stands.
TEST(FieldRule, FreeTextRefusesACharacterOfCodeZero) {
    using namespace std::string_literals;
    for (const FieldTraits& traits : AllFields()) {
        if (!traits.isText() || traits.isMasked()) {
            continue;
        }
        for (const std::string& text : {"\0"s, "A\0"s, "\0A"s, "AB\0C"s}) {
            const auto checked = FieldRule(traits).check(text);
            ASSERT_FALSE(checked) << traits.name << " " << text.size();
            EXPECT_EQ(checked.error().field, traits.field);
            EXPECT_TRUE(checked.error().reason.ends_with(
                " holds a character of code 0, which the tracker takes as the end of a text"))
                << checked.error().message();
        }
    }
}

TEST(FieldRule, ChecksAndListTakeOnlyTheirStates) {
    SettingsRecord record;
    for (int v : {0, 1, 2}) {
        EXPECT_TRUE(record.setValue(Field::chkTable, v));
    }
    EXPECT_FALSE(record.setValue(Field::chkTable, 3));
    EXPECT_FALSE(record.setValue(Field::chkTable, -1));
    for (int v = -1; v <= 7; ++v) {
        EXPECT_TRUE(record.setValue(Field::cbMicEMsg, v));
    }
    EXPECT_FALSE(record.setValue(Field::cbMicEMsg, 8));
    EXPECT_FALSE(record.setValue(Field::cbMicEMsg, 15));
    EXPECT_EQ(record.value(Field::cbMicEMsg), 7);
}

TEST(FieldRule, NumericValueIsTheLeadingDigits) {
    EXPECT_EQ(NumericValue("12_"), 12);
    EXPECT_EQ(NumericValue("___"), 0);
    EXPECT_EQ(NumericValue("006"), 6);
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(NumericValue("1_2"), 1);
    EXPECT_EQ(NumericValue("+5"), 0);
    EXPECT_EQ(NumericValue(std::string(40, '9')), 1'000'000'000);
    EXPECT_EQ(LeadingWholeNumber("-7x", LeadingSign::Taken), -7);
    EXPECT_EQ(LeadingWholeNumber("+05", LeadingSign::Taken), 5);
    EXPECT_EQ(LeadingWholeNumber("-", LeadingSign::Taken), 0);
    EXPECT_EQ(LeadingWholeNumber("--1", LeadingSign::Taken), 0);
    EXPECT_EQ(ZeroPadded(7, 3), "007");
    EXPECT_EQ(ZeroPadded(1000, 3), "1000");
}

TEST(SetDefaults, FillsEveryFieldWithItsFactoryDefault) {
    SettingsRecord record;
    SetDefaults(record);
    for (const FieldTraits& traits : AllFields()) {
        if (traits.isText()) {
            EXPECT_EQ(record.text(traits.field), traits.defaultText) << traits.name;
        } else {
            EXPECT_EQ(record.value(traits.field), traits.defaultValue) << traits.name;
        }
    }
    EXPECT_EQ(FindField("esSpeedTable(3)"), Field::esSpeedTable3);
    EXPECT_EQ(FindField("nope"), std::nullopt);
}

// Records the order of the writes; the window reacts to each, so the order counts.
class WriteLog final : public DeviceSettings {
public:
    std::string text(Field) const override { return {}; }
    Result<void, FieldError> setText(Field field, std::string_view) override { return log(field); }
    int value(Field) const override { return 0; }
    Result<void, FieldError> setValue(Field field, int) override { return log(field); }

    std::vector<Field> fields;

private:
    Result<void, FieldError> log(Field field) {
        fields.push_back(field);
        return {};
    }
};

TEST(SetDefaults, WritesThePortFirstAndTheAutoReplyLast) {
    WriteLog log;
    SetDefaults(log);
    const std::span<const Field> order = DefaultsOrder();
    EXPECT_EQ(log.fields, std::vector<Field>(order.begin(), order.end()));
    ASSERT_EQ(log.fields.size(), AllFields().size());
    EXPECT_EQ(log.fields.front(), Field::edComm);
    EXPECT_EQ(log.fields.back(), Field::chkAutoReply);
}

struct KeyCase {
    KeyFilter filter;
    std::uint16_t in;
    std::uint16_t out;
};

TEST(KeyFilters, PassReplaceOrDropAsTabled) {
    const KeyCase cases[] = {
        {KeyFilter::Callsign, 'a', 'A'},    {KeyFilter::Callsign, 'Z', 'Z'},
        {KeyFilter::Callsign, '-', '-'},    {KeyFilter::Callsign, ',', 0},
        {KeyFilter::Callsign, 8, 8},        {KeyFilter::Callsign, 13, 0},
        {KeyFilter::Callsign, ' ', 0},      {KeyFilter::Callsign, 0xE9, 0},
        {KeyFilter::Path, ',', ','},        {KeyFilter::Path, 'w', 'W'},
        {KeyFilter::Path, '*', 0},          {KeyFilter::Path, ' ', 0},
        {KeyFilter::StatusText, '\'', 0},   {KeyFilter::StatusText, '`', 0},
        {KeyFilter::StatusText, '"', '"'},  {KeyFilter::StatusText, '}', 0},
        {KeyFilter::StatusText, 'z', 'z'},  {KeyFilter::StatusText, 13, 13},
        {KeyFilter::MessageText, '}', '}'}, {KeyFilter::MessageText, '{', 0},
        {KeyFilter::MessageText, '|', 0},   {KeyFilter::MessageText, '~', 0},
        {KeyFilter::MessageText, 0xC8, 0},  {KeyFilter::MessageText, 'm', 'm'},
        {KeyFilter::None, 0xC8, 0xC8},
    };
    for (const KeyCase& c : cases) {
        std::uint16_t code = c.in;
        ApplyKeyFilter(c.filter, code);
        EXPECT_EQ(code, c.out) << "filter " << static_cast<int>(c.filter) << " code " << c.in;
    }
}

} // namespace
} // namespace korvel
