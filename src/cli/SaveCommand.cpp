#include "cli/CommandSupport.h"
#include "cli/PathArgument.h"
#include "settingsfile/SettingsFileIo.h"

#include <array>
#include <iostream>
#include <limits>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config save OUT.cfg [--file F.cfg] [--set NAME=VALUE]...\n\n"
    "Writes the settings to the settings file OUT.cfg, as the window's Save does.\n"
    "An existing file is replaced only once the new one is complete.\n"
    "The settings start from the factory defaults.\n";

constexpr std::array kOptions = {kFileOption, kSetOption};

} // namespace

int RunSave(Arguments args) {
    const CommandSyntax syntax{
        .name = "save",
        .about = kHelp,
        .options = kOptions,
        .exitCodes = "Exit codes: 0 saved, 2 usage, file or field error.",
        .maxOperands = std::numeric_limits<std::size_t>::max(), // more than one is told below
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    if (parsed.operands().size() != 1) {
        return Fail("save", "give exactly one output file, e.g. 'korvel-config save Korvel.cfg' "
                            "(see --help)");
    }
    const std::string& out = parsed.operands().front();
    if (out.empty()) {
        return Fail("save", "the output file name is empty");
    }
    int exitCode = kExitSuccess;
    auto settings = SettingsOrFail("save", SettingsOptionsOf(parsed), exitCode);
    if (!settings) {
        return exitCode;
    }
    const auto path = PathArgument(out);
    if (!path) {
        return Fail("save", kPathNotUtf8);
    }
    if (const auto error = SaveSettingsFile(*settings, *path)) {
        return Fail("save", error->toStdString());
    }
    return kExitSuccess;
}

} // namespace korvel::cli
