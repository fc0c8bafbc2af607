#include "cli/CommandSupport.h"

#include "cli/QuotedArgument.h"
#include "settings/CodePage.h"
#include "settings/ControlBytes.h"

#include <iostream>

namespace korvel::cli {

int Fail(std::string_view command, std::string_view message) {
    // Paths and values in the message may hold control bytes; escaping twice
    // changes nothing, so what QuotedValue escaped already stays as it is.
    std::cerr << "korvel-config " << command << ": " << EscapeControlBytes(message) << "\n";
    return kExitUsage;
}

std::optional<int> ParseCommand(std::string_view command, Arguments args, std::string_view help,
                                SettingsOptions& options,
                                const std::function<bool(const std::string&)>& other) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << help;
            return kExitSuccess;
        }
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        switch (ParseSettingsOption(args, i, options, error)) {
        case OptionResult::Taken:
            break;
        case OptionResult::Error:
            return Fail(command, error);
        case OptionResult::NotSettingsOption:
            if (!other(args[i])) {
                const bool isOption = args[i].starts_with("-") && args[i].size() > 1;
                return Fail(command, (isOption ? "unknown option " : "unexpected argument ") +
                                         QuotedArgument(args[i]) + " (see --help)");
            }
            break;
        }
    }
    return std::nullopt;
}

std::optional<SettingsRecord> SettingsOrFail(std::string_view command,
                                             const SettingsOptions& options, int& exitCode) {
    auto settings = BuildSettings(options);
    if (auto* error = std::get_if<std::string>(&settings)) {
        exitCode = Fail(command, *error);
        return std::nullopt;
    }
    return std::get<SettingsRecord>(std::move(settings));
}

std::string BuildFailure(const BuildResult& result) {
    std::string message = kBuildRefused;
    if (result.error) {
        message += ": " + CodePageToUtf8(result.error->messageWithName());
    }
    return message;
}

} // namespace korvel::cli
