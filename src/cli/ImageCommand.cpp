#include "cli/CommandSupport.h"

#include <cstdio>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config image [--file F.cfg] [--set NAME=VALUE]...\n\n"
    "Checks the settings as the SEND button does and prints the 114-byte\n"
    "configuration image as upper-case hex, 16 bytes a line.\n"
    "The settings start from the factory defaults.\n\nOptions:\n";

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
    SettingsOptions options;
    const std::string help = std::string(kHelp) + kSettingsOptionsHelp +
                             "\nExit codes: 0 printed, 1 the settings were refused, 2 usage, "
                             "file or field error.\n";
    if (const auto done =
            ParseCommand("image", args, help, options, [](const std::string&) { return false; })) {
        return *done;
    }
    int exitCode = kExitSuccess;
    auto settings = SettingsOrFail("image", options, exitCode);
    if (!settings) {
        return exitCode;
    }
    ConfigImage image{};
    const BuildResult result = BuildImage(*settings, image);
    if (!result.success) {
        std::cerr << BuildFailure(result) << "\n";
        return kExitBuildFailed;
    }
    PrintImage(image);
    return kExitSuccess;
}

} // namespace korvel::cli
