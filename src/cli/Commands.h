#pragma once

#include <span>
#include <string>

namespace korvel::cli {

// Each subcommand of korvel-config takes the arguments after its name and
// returns the process exit code (ExitCode.h).
using Arguments = std::span<const std::string>;

int RunImage(Arguments args);
int RunFields(Arguments args);
int RunSave(Arguments args);
int RunSend(Arguments args);
int RunManual(Arguments args);
int RunPorts(Arguments args);
int RunCheck(Arguments args);
int RunSymbols(Arguments args);
int RunAir(Arguments args);
int RunDiff(Arguments args);
int RunHistory(Arguments args);
int RunDecode(Arguments args);

} // namespace korvel::cli
