#include "rtf/InstructionsFile.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace korvel {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own with a program folder in it that holds the
// instructions, a folder where a file is expected and an unrelated file.
class InstructionsLookup : public testing::Test {
protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = fs::temp_directory_path() /
                ("korvel-instructions-" + std::to_string(stamp) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root_ / "program");
        fs::create_directories(root_ / "other" / "Folder.rtf");
        std::ofstream(root_ / "program" / "Guide.rtf") << "{\\rtf1 x}";
        std::ofstream(root_ / "other" / "Mine.rtf") << "{\\rtf1 y}";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    fs::path root_;
};

TEST_F(InstructionsLookup, FindsTheFileAsGivenOrBesideTheProgramOnly) {
    const fs::path program = root_ / "program";
    struct Case {
        fs::path name;
        std::optional<fs::path> found;
    };
    const Case cases[] = {
        {root_ / "other" / "Mine.rtf", root_ / "other" / "Mine.rtf"}, // a path, as given
        {"Guide.rtf", program / "Guide.rtf"},                         // a name, beside the program
        {root_ / "other" / "Guide.rtf", std::nullopt},  // a path that is not there: no other folder
        {root_ / "other" / "Folder.rtf", std::nullopt}, // a folder is no document
        {"Absent-korvel-instructions.rtf", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<fs::path> found = FindInstructions(c.name, program);
        ASSERT_EQ(found.has_value(), c.found.has_value()) << c.name;
        if (found) {
            EXPECT_TRUE(fs::equivalent(*found, *c.found)) << c.name << " gave " << *found;
        }
    }
}

} // namespace
} // namespace korvel
