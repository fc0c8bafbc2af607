#pragma once

#include "cli/ExitCode.h"
#include "cli/SettingsOptions.h"
#include "image/BuildImage.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvel::cli {

// Prints "korvel-config COMMAND: MESSAGE" on standard error and returns 2.
int Fail(std::string_view command, std::string_view message);

// How a command is called: what its --help says and what its arguments may be.
struct CommandSyntax {
    std::string_view name;              // "image"
    std::string about;                  // the usage line and what the command does
    std::span<const OptionRow> options; // what the help lists under "Options:"
    std::string_view exitCodes = {};    // "Exit codes: ..." at the end of the help
    std::size_t maxOperands = 0;        // arguments that are not options
};

// Reads the arguments of a command into `parsed`. Returns an exit code when the
// command should end now: its help printed (0) or a usage error (2); nothing to
// go on.
std::optional<int> ParseCommand(const CommandSyntax& syntax, Arguments args, ParsedOptions& parsed);

// The settings of `options`; on failure prints the error and sets `exitCode`.
std::optional<SettingsRecord> SettingsOrFail(std::string_view command,
                                             const SettingsOptions& options, int& exitCode);

// "Parametri incompleti o non corretti: MY CALLSIGN (edMyCall): empty" (UTF-8).
std::string BuildFailure(const BuildResult& result);

} // namespace korvel::cli
