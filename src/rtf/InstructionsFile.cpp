#include "rtf/InstructionsFile.h"

#include <system_error>
#include <vector>

namespace korvel {
namespace {

namespace fs = std::filesystem;

bool EsisteFile(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

} // namespace

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
