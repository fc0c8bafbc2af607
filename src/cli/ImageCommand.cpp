#include "cli/CommandSupport.h"

#include <array>
#include <cstdio>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config image [--file F.cfg] [--set NAME=VALUE]...\n\n"
    "Checks the settings as the SEND button does and prints the 114-byte\n"
    "configuration image as upper-case hex, 16 bytes a line.\n"
    "The settings start from the factory defaults.\n";

constexpr std::array kOptions = {kFileOption, kSetOption};

constexpr std::size_t kBytesPerLine = 16;

void PrintImage(const ConfigImage& image) {
    for (std::size_t i = 0; i < image.size(); ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(image[i]));
        std::cout << hex;
        const bool lineEnds = (i + 1) % kBytesPerLine == 0 || i + 1 == image.size();
        std::cout << (lineEnds ? '\n' : ' ');
    }
}

} // namespace

int RunImage(Arguments args) {
    const CommandSyntax syntax{
        .name = "image",
        .about = kHelp,
        .options = kOptions,
        .exitCodes = "Exit codes: 0 printed, 1 the settings were refused, 2 usage, file or field "
                     "error.",
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    int exitCode = kExitSuccess;
    auto settings = SettingsOrFail("image", SettingsOptionsOf(parsed), exitCode);
    if (!settings) {
        return exitCode;
    }
    ConfigImage image{};
    const BuildResult result = BuildImage(*settings, image);
    if (!result.success()) {
        std::cerr << BuildFailure(result) << "\n";
        return kExitBuildFailed;
    }
    PrintImage(image);
    return kExitSuccess;
}

} // namespace korvel::cli
