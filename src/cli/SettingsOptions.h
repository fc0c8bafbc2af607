#pragma once

#include "cli/Commands.h"
#include "settings/SettingsRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace korvel::cli {

// The options that say which settings a subcommand works on. They are shared by
// every subcommand that needs settings (image, fields, save, send):
//
//   --file F.cfg       a settings file, applied as the window's Load applies it
//   --set NAME=VALUE   one field, by its control name ("edMyCall",
//                      "esSpeedTable(2)", "chkTable", "cbMicEMsg"); repeatable
//
// The settings start from the factory defaults, then the file (at most one),
// then each --set in the order given. Texts are UTF-8 on the command line and
// become the tracker's code page; check boxes and the Mic-E list take numbers.
struct SettingsOptions {
    std::optional<std::string> file;                       // the path as given
    std::vector<std::pair<std::string, std::string>> sets; // NAME, VALUE (UTF-8)
};

enum class OptionResult {
    NotSettingsOption, // args[i] is something else: the caller handles it; i unchanged
    Taken,             // stored in `out`; i now indexes the option's last argument
    Error,             // malformed: `error` says why (exit code 2)
};

// Looks at args[i]. Takes "--file F", "--file=F", "--set NAME=VALUE" and
// "--set=NAME=VALUE". A typical loop:
//
//   for (std::size_t i = 0; i < args.size(); ++i) {
//       switch (ParseSettingsOption(args, i, options, error)) { ... }
//   }
OptionResult ParseSettingsOption(Arguments args, std::size_t& i, SettingsOptions& out,
                                 std::string& error);

// The settings the options describe, or a message (UTF-8) saying which file,
// field or value is wrong.
std::variant<SettingsRecord, std::string> BuildSettings(const SettingsOptions& options);

// Help text of the two options, for each subcommand's --help.
inline constexpr const char* kSettingsOptionsHelp =
    "  --file F.cfg       start from this settings file, read as the window's Load does\n"
    "  --set NAME=VALUE   set one field (repeatable), e.g. --set edMyCall=IK0ABC-9,\n"
    "                     --set 'esSpeedTable(2)'=300, --set chkTable=1, --set cbMicEMsg=3;\n"
    "                     a check box takes 0 (clear) or 1 (checked);\n"
    "                     'korvel-config fields' lists the names\n";

} // namespace korvel::cli
