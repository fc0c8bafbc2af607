#include "settingsfile/FileNumbers.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

struct StrictCase {
    const char* text;
    std::optional<long long> value; // within the 16-bit range
};

class Strict : public testing::TestWithParam<StrictCase> {};

TEST_P(Strict, TakesOnlyAWholeNumberText) {
    const auto number = StrictWholeNumber(GetParam().text, kInt16Min, kInt16Max);
    EXPECT_EQ(number ? std::optional(*number) : std::nullopt, GetParam().value)
        << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    FileNumbers, Strict,
    testing::Values(StrictCase{"0", 0}, StrictCase{"21", 21}, StrictCase{"-1", -1},
                    StrictCase{"+7", 7}, StrictCase{"  12  ", 12}, StrictCase{"007", 7},
                    StrictCase{"4.5", 4}, StrictCase{"5.5", 6}, StrictCase{"-2.5", -2},
                    StrictCase{"0.5", 0}, StrictCase{"1.5", 2}, StrictCase{".5", 0},
                    StrictCase{"3.", 3}, StrictCase{"1e2", 100}, StrictCase{"2E+1", 20},
                    StrictCase{"150e-1", 15}, StrictCase{"1e-400", 0}, StrictCase{"32767", 32767},
                    StrictCase{"-32768", -32768}, StrictCase{"32767.5", std::nullopt},
                    StrictCase{"32768", std::nullopt}, StrictCase{"1e400", std::nullopt},
                    StrictCase{"", std::nullopt}, StrictCase{"   ", std::nullopt},
                    StrictCase{"x", std::nullopt}, StrictCase{"12abc", std::nullopt},
                    StrictCase{"1 2", std::nullopt}, StrictCase{"-", std::nullopt},
                    StrictCase{".", std::nullopt}, StrictCase{"1e", std::nullopt},
                    StrictCase{"inf", std::nullopt}, StrictCase{"nan", std::nullopt},
                    StrictCase{"0x10", std::nullopt}, StrictCase{"12_", std::nullopt},
                    StrictCase{"--1", std::nullopt}));

TEST(FileNumbers, StrictTellsNotANumberFromOutOfRange) {
    EXPECT_EQ(StrictWholeNumber("abc", 0, 10).error(), StrictFailure::NotANumber);
    EXPECT_EQ(StrictWholeNumber("11", 0, 10).error(), StrictFailure::OutOfRange);
}

struct LenientCase {
    const char* text;
    std::optional<std::int32_t> value;
};

class Lenient : public testing::TestWithParam<LenientCase> {};

TEST_P(Lenient, TakesTheLeadingNumber) {
    EXPECT_EQ(LenientNumber(GetParam().text), GetParam().value) << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    FileNumbers, Lenient,
    testing::Values(LenientCase{"138", 138}, LenientCase{"", 0}, LenientCase{"abc", 0},
                    LenientCase{"12abc", 12}, LenientCase{" 3 ", 3}, LenientCase{"-1", -1},
                    LenientCase{"2.5x", 2}, LenientCase{"3.5", 4}, LenientCase{"1e3", 1000},
                    LenientCase{"1e", 1}, LenientCase{"-", 0}, LenientCase{"12_", 12},
                    LenientCase{"2147483647", 2147483647},
                    LenientCase{"-2147483648", -2147483647 - 1},
                    LenientCase{"2147483647.5", std::nullopt},
                    LenientCase{"2147483648", std::nullopt}, LenientCase{"1e10", std::nullopt},
                    LenientCase{"99999999999999999999999", std::nullopt}));

} // namespace
} // namespace korvel
