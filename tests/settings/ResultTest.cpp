#include "settings/Result.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <variant>

namespace korvel {
namespace {

using Text = Result<std::string, std::string>;

struct SideCase {
    const char* what;
    Text result;
    bool hasValue;
    std::string held;
};

// A value and an error of the same type stay apart: only Failure makes an error.
TEST(Result, HoldsTheValueOrTheFailureItWasMadeFrom) {
    const SideCase cases[] = {
        {"a value", Text("ok"), true, "ok"},
        {"an empty value", Text(std::string()), true, ""},
        {"a failure", Failure{std::string("refused")}, false, "refused"},
        {"a failure of a convertible type", Failure{"cut short"}, false, "cut short"},
    };
    for (const SideCase& c : cases) {
        EXPECT_EQ(c.result.has_value(), c.hasValue) << c.what;
        EXPECT_EQ(static_cast<bool>(c.result), c.hasValue) << c.what;
        EXPECT_EQ(c.hasValue ? *c.result : c.result.error(), c.held) << c.what;
        if (c.hasValue) {
            EXPECT_THROW((void)c.result.error(), std::bad_variant_access) << c.what;
        } else {
            EXPECT_THROW((void)c.result.value(), std::bad_variant_access) << c.what;
        }
    }
}

TEST(Result, NothingOrAnErrorIsSuccessByDefault) {
    const Result<void, std::string> done;
    const Result<void, std::string> braced = {};
    const Result<void, std::string> failed = Failure{"no port"};
    EXPECT_TRUE(done.has_value());
    EXPECT_TRUE(braced);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.error(), "no port");
    EXPECT_THROW(failed.value(), std::bad_variant_access);
}

TEST(Result, MovesAValueThatCannotBeCopied) {
    Result<std::unique_ptr<int>, std::string> made = std::make_unique<int>(7);
    ASSERT_TRUE(made);
    EXPECT_EQ(**made, 7);
    const std::unique_ptr<int> taken = std::move(made).value();
    EXPECT_EQ(*taken, 7);
}

} // namespace
} // namespace korvel
