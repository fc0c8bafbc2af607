#pragma once

#include "settings/Result.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::cli {

// The file that `argument` names, as Qt's file classes hold it; nothing when
// they cannot hold it exactly. Qt keeps file names as Unicode, so a name that
// is not valid UTF-8 would come back as another name (with U+FFFD in place of
// its odd bytes), and the command would read or write the wrong file.
std::optional<QString> PathArgument(const std::string& argument);

// Why PathArgument gave nothing, for the message.
inline constexpr const char* kPathNotUtf8 =
    "the file name is not valid UTF-8; give the file a UTF-8 name";

// What --device-folder needs, for send and ports alike.
inline constexpr std::string_view kDeviceFolderNeeds =
    "a folder that holds serial devices, e.g. /dev";

// The folder that `argument` of `option` names, or why it cannot be used:
// "--device-folder X: no such folder".
Result<QString, std::string> FolderArgument(std::string_view option, const std::string& argument);

} // namespace korvel::cli
