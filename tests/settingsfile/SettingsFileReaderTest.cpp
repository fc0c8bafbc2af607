#include "settingsfile/SettingsFileReader.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

// All values of `bytes` as one line: quoted values in <>, unquoted in [], then
// how reading ended: "EOF" or "UNTERMINATED@line:position".
std::string ReadAll(std::string_view bytes, QuoteRule rule) {
    SettingsFileReader reader(bytes, rule);
    std::string out;
    for (;;) {
        auto next = reader.next();
        if (!next) {
            const ReadFailure& failure = next.error();
            if (failure.kind == ReadFailure::Kind::EndOfFile) {
                return out + "EOF";
            }
            return out + "UNTERMINATED@" + std::to_string(failure.line) + ":" +
                   std::to_string(failure.position);
        }
        const FileValue& value = *next;
        out += value.quoted ? "<" + value.text + ">" : "[" + value.text + "]";
    }
}

struct ReadCase {
    const char* name;
    std::string_view bytes;
    std::string_view values;
    QuoteRule rule = QuoteRule::Doubled;
};

class Reading : public testing::TestWithParam<ReadCase> {};

TEST_P(Reading, GivesTheValuesInOrder) {
    EXPECT_EQ(ReadAll(GetParam().bytes, GetParam().rule), std::string(GetParam().values));
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    SettingsFileReader, Reading,
    testing::Values(
        ReadCase{"empty", "", "EOF"},
        ReadCase{"one_line", "\"1\",\"200\",0,\">\"\r\n", "<1><200>[0]<>>EOF"},
        ReadCase{"comma_inside_quotes", "\"WIDE1-1,WIDE2-2\",3\r\n", "<WIDE1-1,WIDE2-2>[3]EOF"},
        ReadCase{"spaces_before_values_skipped", "  \"a\",   3,  b\r\n", "<a>[3][b]EOF"},
        ReadCase{"spaces_after_unquoted_kept", "3  ,b \r\n", "[3  ][b ]EOF"},
        ReadCase{"spaces_after_closing_quote", "\"a\"  ,\"b\"  \r\n\"c\"  ", "<a><b><c>EOF"},
        ReadCase{"inner_quote_belongs_to_text", "\"say \"hi\" now\",1\r\n",
                 "<say \"hi\" now>[1]EOF"},
        ReadCase{"doubled_quote_is_one", "\"Op. \"\"Tev\"\", 145.500\",1\r\n",
                 "<Op. \"Tev\", 145.500>[1]EOF"},
        ReadCase{"doubled_quote_before_closing_quote", "\"ab\"\"\"\r\n", "<ab\">EOF"},
        ReadCase{"doubled_quotes_only", "\"\"\"\"\"\",\"\"\"\"", "<\"\"><\">EOF"},
        ReadCase{"doubled_quote_then_line_end_runs_on", "\"ab\"\"\r\n", "UNTERMINATED@1:1"},
        ReadCase{"as_written_quote_before_closing_quote", "\"ab\"\"\r\n", "<ab\">EOF",
                 QuoteRule::AsWritten},
        ReadCase{"as_written_lone_quote_text", "\"\"\"\r\n", "<\">EOF", QuoteRule::AsWritten},
        ReadCase{"as_written_two_quotes_stay_two", "\"a\"\"b\"", "<a\"\"b>EOF",
                 QuoteRule::AsWritten},
        ReadCase{"empty_quoted", "\"\",\"\"\r\n", "<><>EOF"},
        ReadCase{"quote_then_text_is_text", "\"a\"b\",c\r\n", "<a\"b>[c]EOF"},
        ReadCase{"quote_closes_at_end_of_file", "\"a\"", "<a>EOF"},
        ReadCase{"no_final_line_end", "1,2", "[1][2]EOF"},
        ReadCase{"lf_only", "\"a\"\n\"b\"\n", "<a><b>EOF"},
        ReadCase{"cr_only", "\"a\"\r\"b\"\r", "<a><b>EOF"},
        ReadCase{"blank_lines_skipped", "\r\n\r\n1\r\n   \r\n\n\r2\r\n", "[1][2]EOF"},
        ReadCase{"two_commas_give_empty_value", "1,,2", "[1][][2]EOF"},
        ReadCase{"comma_before_line_end_gives_empty_value", "1,\r\n2", "[1][][2]EOF"},
        ReadCase{"comma_at_end_of_file_gives_empty_value", "1,", "[1][]EOF"},
        ReadCase{"line_end_inside_quotes_belongs_to_text", "\"a\r\nb\",1", "<a\r\nb>[1]EOF"},
        ReadCase{"unquoted_quote_is_text", "a\"b,c", "[a\"b][c]EOF"},
        ReadCase{"nul_bytes_are_text", "\"a\0b\",\0"sv, "<a\0b>[\0]EOF"sv},
        ReadCase{"unterminated_quote", "1,2\r\n3,\"abc", "[1][2][3]UNTERMINATED@2:2"},
        ReadCase{"quote_followed_by_text_never_closes", "\"a\"b", "UNTERMINATED@1:1"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(SettingsFileReader, TellsTheLineAndPositionOfEachValue) {
    SettingsFileReader reader("\"a\",b\r\n\r\n  c\n\"multi\nline\",d\r\ne");
    const std::vector<std::pair<std::size_t, std::size_t>> expected = {{1, 1}, {1, 2}, {3, 1},
                                                                       {4, 1}, {5, 2}, {6, 1}};
    for (const auto& [line, position] : expected) {
        auto next = reader.next();
        ASSERT_TRUE(next.has_value());
        EXPECT_EQ(next->line, line);
        EXPECT_EQ(next->position, position);
    }
}

} // namespace
} // namespace korvel
