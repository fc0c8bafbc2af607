#include "cli/CommandSupport.h"
#include "cli/PathArgument.h"
#include "settingsfile/SettingsFileIo.h"

#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config save OUT.cfg [--file F.cfg] [--set NAME=VALUE]...\n\n"
    "Writes the settings to the settings file OUT.cfg, as the window's Save does.\n"
    "An existing file is replaced only once the new one is complete.\n"
    "The settings start from the factory defaults.\n\nOptions:\n";

} // namespace

int RunSave(Arguments args) {
    SettingsOptions options;
    std::optional<std::string> out;
    bool twoOutputs = false;
    const std::string help = std::string(kHelp) + kSettingsOptionsHelp +
                             "\nExit codes: 0 saved, 2 usage, file or field error.\n";
    const auto takeOutput = [&](const std::string& arg) {
        if (arg.starts_with("-") && arg.size() > 1) {
            return false;
        }
        twoOutputs = twoOutputs || out.has_value();
        out = arg;
        return true;
    };
    if (const auto done = ParseCommand("save", args, help, options, takeOutput)) {
        return *done;
    }
    if (!out || twoOutputs) {
        return Fail("save", "give exactly one output file, e.g. 'korvel-config save Korvel.cfg' "
                            "(see --help)");
    }
    if (out->empty()) {
        return Fail("save", "the output file name is empty");
    }
    int exitCode = kExitSuccess;
    auto settings = SettingsOrFail("save", options, exitCode);
    if (!settings) {
        return exitCode;
    }
    const auto path = PathArgument(*out);
    if (!path) {
        return Fail("save", kPathNotUtf8);
    }
    if (const auto error = SaveSettingsFile(*settings, *path)) {
        return Fail("save", error->toStdString());
    }
    return kExitSuccess;
}

} // namespace korvel::cli
