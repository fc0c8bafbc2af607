#include "cli/CommandSupport.h"
#include "cli/FieldsOutput.h"
#include "settings/CodePage.h"
#include "settings/ControlBytes.h"
#include "settings/FieldTable.h"

#include <array>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config fields [--file F.cfg] [--set NAME=VALUE]... [--build]\n\n"
    "Prints every setting as NAME=TEXT, one a line, in the order of the field\n"
    "table. Check boxes print 0 or 1, cbMicEMsg its entry (0 to 7, -1 for none).\n"
    "Control characters in a text print escaped: \\r, \\n, \\t, \\xHH (ESC as \\x1B),\n"
    "and a backslash as \\\\, so that a typed \"\\x07\" and a real BEL print apart.\n"
    "The settings start from the factory defaults.\n";

// The help: what the command does, then each number field with the range SEND
// takes, in the words the screen reader uses (from the field table).
std::string Help() {
    std::string help = kHelp;
    help += "\nNumbers, as SEND takes them:\n";
    for (const FieldTraits& traits : AllFields()) {
        if (traits.isNumeric()) {
            help += "  " + std::string(traits.name) + ": " + DescriptionOf(traits.field) + "\n";
        }
    }
    return help;
}

constexpr std::array kOptions = {
    OptionRow{.name = "--build",
              .value = {},
              .help = "first check and normalise the settings as the SEND button\n"
                      "does, and print the texts it writes back"},
    kFileOption,
    kSetOption,
};

} // namespace

int RunFields(Arguments args) {
    const CommandSyntax syntax{
        .name = "fields",
        .about = Help(),
        .options = kOptions,
        .exitCodes = "Exit codes: 0 printed, 1 the settings were refused by --build (the fields "
                     "are printed as it left them), 2 usage, file or field error.",
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    int exitCode = kExitSuccess;
    auto settings = SettingsOrFail("fields", SettingsOptionsOf(parsed), exitCode);
    if (!settings) {
        return exitCode;
    }
    if (parsed.has("--build")) {
        ConfigImage image{};
        const BuildResult result = BuildImage(*settings, image);
        if (!result.success()) {
            std::cerr << BuildFailure(result) << "\n";
            exitCode = kExitBuildFailed;
        }
    }
    PrintFields(std::cout, *settings);
    return exitCode;
}

} // namespace korvel::cli
