// korvel-config: the command-line companion of the Korvel Config window.

#include "Version.h"
#include "cli/CheckedOutput.h"
#include "cli/Commands.h"
#include "cli/ExitCode.h"

#include <QCoreApplication>
#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Command {
    std::string_view name;
    std::string_view summary;
    int (*run)(korvel::cli::Arguments);
};

constexpr std::array kCommands = {
    Command{"image", "print the 114-byte configuration image as hex", korvel::cli::RunImage},
    Command{"fields", "print every setting as NAME=TEXT", korvel::cli::RunFields},
    Command{"save", "write a settings file (.cfg)", korvel::cli::RunSave},
    Command{"send", "send the configuration to the tracker", korvel::cli::RunSend},
    Command{"manual", "print the instructions as plain text", korvel::cli::RunManual},
    Command{"ports", "list the serial ports and their COM numbers", korvel::cli::RunPorts},
    Command{"check", "advise on the settings before they go on the air", korvel::cli::RunCheck},
    Command{"symbols", "list the APRS symbols for ICON Symbol", korvel::cli::RunSymbols},
    Command{"air", "show the packets, their airtime and the channel's share", korvel::cli::RunAir},
    Command{"diff", "compare two settings files or records", korvel::cli::RunDiff},
    Command{"decode", "print the settings that an image carries", korvel::cli::RunDecode},
    Command{"history", "list the records that 'send --record' kept", korvel::cli::RunHistory},
};

void PrintUsage(std::ostream& out) {
    out << "Usage: korvel-config COMMAND [OPTIONS]\n\n"
        << "The command-line companion of " << korvel::kProductName << ".\n\nCommands:\n";
    for (const Command& c : kCommands) {
        out << "  " << c.name << std::string(10 - c.name.size(), ' ') << c.summary << "\n";
    }
    out << "\n'korvel-config COMMAND --help' tells more about a command.\n"
        << "Options: --help, --version\n";
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintUsage(std::cerr);
        return korvel::cli::kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        PrintUsage(std::cout);
        return korvel::cli::kExitSuccess;
    }
    if (args[0] == "--version") {
        std::cout << "korvel-config " << korvel::kVersion << " (" << korvel::kProductName << ")\n";
        return korvel::cli::kExitSuccess;
    }
    for (const Command& c : kCommands) {
        if (args[0] == c.name) {
            return c.run(korvel::cli::Arguments(args).subspan(1));
        }
    }
    std::cerr << "korvel-config: unknown command '" << args[0] << "'\n";
    PrintUsage(std::cerr);
    return korvel::cli::kExitUsage;
}

// Output that did not reach its file (a full disk, a closed pipe) is an error,
// never a success with an empty or partial file.
int CheckOutput(const std::vector<std::string>& args, korvel::cli::CheckedOutput& output,
                int exitCode) {
    std::cout.flush();
    if (output.error() == 0) {
        return exitCode;
    }
    const std::string command = args.empty() ? "" : " " + args[0];
    std::cerr << "korvel-config" << command
              << ": cannot write the output: " << std::strerror(output.error()) << "\n";
    // Output that did not get out outranks success and the warnings of check (1):
    // a script must never take a truncated listing for a result. A refused build
    // or a failed transfer keeps its own code.
    const bool outputWasTheResult =
        exitCode == korvel::cli::kExitSuccess || (!args.empty() && args[0] == "check");
    return outputWasTheResult ? korvel::cli::kExitUsage : exitCode;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Qt sees the program's name only: every argument is the command's own.
    // The application tells the program's folder and runs send's event loop.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    const QCoreApplication application(qtArgc, qtArgv);
    korvel::cli::CheckedOutput output(stdout);
    std::streambuf* const standard = std::cout.rdbuf(&output);
    const int exitCode = CheckOutput(args, output, Run(args));
    std::cout.rdbuf(standard);
    return exitCode;
}
