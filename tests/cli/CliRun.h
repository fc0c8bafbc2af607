#pragma once

// Runs the built korvel-config as a user would, in a scratch folder of the
// test's own: made under a unique name (whoever ran the tests before, and
// whatever they left) and removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace korvel::clitest {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliRun : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = (std::filesystem::temp_directory_path() / "korvel-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr) << name;
        dir = name;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // `arguments` is put on a shell command line as it stands: quote as needed.
    // Standard output goes to `output` when one is given.
    Outcome run(const std::string& arguments, const std::string& output = {}) const {
        const std::filesystem::path out =
            output.empty() ? dir / "stdout" : std::filesystem::path(output);
        const std::filesystem::path err = dir / "stderr";
        const std::string command = std::string("'") + KORVEL_CONFIG + "' " + arguments + " >'" +
                                    out.string() + "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                output.empty() ? Slurp(out) : std::string(), Slurp(err)};
    }

    std::string file(const char* name) const { return (dir / name).string(); }

    std::filesystem::path dir;
};

} // namespace korvel::clitest
