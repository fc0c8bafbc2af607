#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// The instructions document that the window's Help and `korvel-config manual` show.
inline constexpr std::string_view kInstructionsFile = "Korvel_Config.rtf";

// The file that a load of the instructions `name` reads: `name` itself (a
// relative name in the current folder) when it is a file; for a relative name,
// else the same name in `programFolder`, in the data folder as installed beside
// the program, and in the data folder the build installs to. Nothing when none
// of them has it.
std::optional<std::filesystem::path> FindInstructions(const std::filesystem::path& name,
                                                      const std::filesystem::path& programFolder);

// The instructions read whole for the window and `korvel-config manual`, or
// why they could not be read.
struct InstructionsBytes {
    enum class Problem { None, NoSuchFile, NotAFile, TooLarge, CannotRead };
    std::string bytes;
    Problem problem = Problem::None;
    std::string reason; // the problem in words ("no such file", "Permission denied"...)
};

InstructionsBytes ReadInstructions(const std::filesystem::path& path);

} // namespace korvel
