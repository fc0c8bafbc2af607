#pragma once

namespace korvel::cli {

// The exit codes of korvel-config, the same for every subcommand.
inline constexpr int kExitSuccess = 0;         // done
inline constexpr int kExitBuildFailed = 1;     // the settings were refused by SEND's checks
inline constexpr int kExitUsage = 2;           // usage, file or field error
inline constexpr int kExitTransferFailed = 3;  // the transfer to the tracker failed
inline constexpr int kExitSendWouldRefuse = 4; // check: SEND would refuse the settings
inline constexpr int kExitInterrupted = 130;   // send: Ctrl+C, after the transfer under way

} // namespace korvel::cli
