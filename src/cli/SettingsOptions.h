#pragma once

#include "cli/Commands.h"
#include "cli/OptionTable.h"
#include "settings/Result.h"
#include "settings/SettingsRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel::cli {

// The options that say which settings a subcommand works on. They are shared by
// every subcommand that needs settings (image, fields, save, send, check):
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

// "NAME=VALUE" with a name: what --set takes.
bool IsNameAndValue(std::string_view text);

inline constexpr OptionRow kFileOption{
    .name = "--file",
    .value = "F.cfg",
    .help = "start from this settings file, read as the window's Load does",
    .needs = "the path of a settings file",
};
inline constexpr OptionRow kSetOption{
    .name = "--set",
    .value = "NAME=VALUE",
    .help = "set one field (repeatable), e.g. --set edMyCall=IK0ABC-9,\n"
            "--set 'esSpeedTable(2)'=300, --set chkTable=1, --set cbMicEMsg=3;\n"
            "a check box takes 0 (clear) or 1 (checked);\n"
            "'korvel-config fields' lists the names",
    .repeatable = true,
    .needs = "NAME=VALUE, e.g. --set edMyCall=IK0ABC-9",
    .accepts = IsNameAndValue,
};

// The settings options of a command line that ParseOptions read with
// kFileOption and kSetOption in its table.
SettingsOptions SettingsOptionsOf(const ParsedOptions& parsed);

// The settings the options describe, or a message (UTF-8) saying which file,
// field or value is wrong.
Result<SettingsRecord, std::string> BuildSettings(const SettingsOptions& options);

} // namespace korvel::cli
