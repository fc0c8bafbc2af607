#include "advisor/Advisor.h"
#include "cli/CommandSupport.h"
#include "cli/FindingsOutput.h"

#include <array>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr int kExitWarned = 1; // at least one warning

constexpr const char* kHelp =
    "Usage: korvel-config check [--file F.cfg] [--set NAME=VALUE]... [--json]\n\n"
    "Says, one finding a line, where what the tracker will transmit is probably not\n"
    "what you mean: a placeholder callsign, a path that floods the channel, an alarm,\n"
    "a character that breaks packets, a beacon more often than once a minute...\n"
    "'error' is what SEND would refuse, with the reason SEND gives; 'warning' is\n"
    "such a case, 'note' is worth knowing. It changes nothing and refuses nothing.\n"
    "The settings start from the factory defaults.\n";

constexpr std::array kOptions = {
    kFileOption,
    kSetOption,
    OptionRow{.name = "--json",
              .value = {},
              .help = "print the findings as a JSON array of objects\n"
                      "{\"field\", \"caption\", \"severity\", \"message\"};\n"
                      "severity is \"error\", \"warning\" or \"note\""},
};

} // namespace

int RunCheck(Arguments args) {
    const CommandSyntax syntax{
        .name = "check",
        .about = kHelp,
        .options = kOptions,
        .exitCodes =
            "Exit codes: 0 no warning, 1 at least one warning, 2 usage, file or field error,\n"
            "4 SEND would refuse the settings.",
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    int exitCode = kExitSuccess;
    const auto settings = SettingsOrFail("check", SettingsOptionsOf(parsed), exitCode);
    if (!settings) {
        return exitCode;
    }
    const Findings findings = AdviseBeforeSend(*settings);
    if (parsed.has("--json")) {
        std::cout << FindingsJson(findings);
    } else {
        PrintFindings(std::cout, findings);
    }
    if (HasError(findings)) {
        return kExitSendWouldRefuse;
    }
    return HasWarning(findings) ? kExitWarned : kExitSuccess;
}

} // namespace korvel::cli
