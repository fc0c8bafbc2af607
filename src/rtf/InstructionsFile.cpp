#include "rtf/InstructionsFile.h"

#include "settings/LargestFile.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace korvel {
namespace {

namespace fs = std::filesystem;

bool EsisteFile(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

InstructionsBytes Refused(InstructionsBytes::Problem problem, std::string reason) {
    return {{}, problem, std::move(reason)};
}

} // namespace

InstructionsBytes ReadInstructions(const fs::path& path) {
    using Problem = InstructionsBytes::Problem;
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return fs::exists(path, error) ? Refused(Problem::NotAFile, "not a regular file")
                                       : Refused(Problem::NoSuchFile, "no such file");
    }
    if (fs::file_size(path, error) > kLargestFileRead) {
        return Refused(Problem::TooLarge, "the file is too large");
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    const int openError = errno;
    if (!in) {
        return Refused(Problem::CannotRead, openError != 0
                                                ? std::generic_category().message(openError)
                                                : "cannot be opened for reading");
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        return Refused(Problem::CannotRead, "read error");
    }
    return {std::move(bytes).str(), Problem::None, {}};
}

std::optional<fs::path> FindInstructions(const fs::path& name, const fs::path& programFolder) {
    if (EsisteFile(name)) {
        return name;
    }
    if (name.empty() || name.is_absolute()) {
        return std::nullopt;
    }
    // The current folder follows the settings files the user saves and loads;
    // the copy beside the program or installed with it is still found.
    std::vector<fs::path> folders;
    if (!programFolder.empty()) {
        folders.push_back(programFolder);
#ifdef KORVEL_DATA_DIR_FROM_PROGRAM
        folders.push_back(programFolder / KORVEL_DATA_DIR_FROM_PROGRAM);
#endif
    }
#ifdef KORVEL_DATA_DIR
    folders.emplace_back(KORVEL_DATA_DIR);
#endif
    for (const fs::path& folder : folders) {
        if (EsisteFile(folder / name)) {
            return folder / name;
        }
    }
    return std::nullopt;
}

} // namespace korvel
