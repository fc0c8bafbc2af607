#pragma once

#include "cli/ExitCode.h"
#include "cli/SettingsOptions.h"
#include "image/BuildImage.h"

#include <functional>
#include <string>
#include <string_view>

namespace korvel::cli {

// Prints "korvel-config COMMAND: MESSAGE" on standard error and returns 2.
int Fail(std::string_view command, std::string_view message);

// Goes through the arguments of a subcommand that works on settings: takes
// --help (prints `help`), the settings options, and hands every other argument
// to `other`, which returns false for one it does not know either.
// Returns an exit code when the command should end now (help shown or a usage
// error), nothing to go on.
std::optional<int> ParseCommand(std::string_view command, Arguments args, std::string_view help,
                                SettingsOptions& options,
                                const std::function<bool(const std::string&)>& other);

// The settings of `options`; on failure prints the error and sets `exitCode`.
std::optional<SettingsRecord> SettingsOrFail(std::string_view command,
                                             const SettingsOptions& options, int& exitCode);

// "Parametri incompleti o non corretti: MY CALLSIGN (edMyCall): empty" (UTF-8).
std::string BuildFailure(const BuildResult& result);

} // namespace korvel::cli
