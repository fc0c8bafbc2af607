#include "cli/CommandSupport.h"

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

std::optional<int> ParseCommand(const CommandSyntax& syntax, Arguments args,
                                ParsedOptions& parsed) {
    ParseResult result = ParseOptions(syntax.options, args, syntax.maxOperands);
    if (result.help) {
        std::cout << syntax.about << "\nOptions:\n" << OptionsHelp(syntax.options);
        if (!syntax.exitCodes.empty()) {
            std::cout << "\n" << syntax.exitCodes << "\n";
        }
        return kExitSuccess;
    }
    if (!result.error.empty()) {
        return Fail(syntax.name, result.error);
    }
    parsed = std::move(result.options);
    return std::nullopt;
}

std::optional<SettingsRecord> SettingsOrFail(std::string_view command,
                                             const SettingsOptions& options, int& exitCode) {
    auto settings = BuildSettings(options);
    if (!settings) {
        exitCode = Fail(command, settings.error());
        return std::nullopt;
    }
    return std::move(settings).value();
}

std::string BuildFailure(const BuildResult& result) {
    std::string message = kBuildRefused;
    if (result.error) {
        message += ": " + CodePageToUtf8(result.error->messageWithName());
    }
    return message;
}

} // namespace korvel::cli
