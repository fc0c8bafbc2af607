#include "cli/Commands.h"
#include "cli/ExitCode.h"
#include "rtf/InstructionsFile.h"
#include "rtf/PlainTextRenderer.h"
#include "rtf/RtfReader.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

namespace korvel::cli {
namespace {

namespace fs = std::filesystem;

void PrintManualUsage(std::ostream& out) {
    out << "Usage: korvel-config manual [--width N] [FILE]\n\n"
        << "Prints the instructions (FILE, or " << kInstructionsFile << " from the current\n"
        << "folder, the program's folder or the installed data folder) as plain text\n"
        << "wrapped to N columns (default: $COLUMNS, else 80).\n";
}

std::optional<int> ParseWidth(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 20 || value > 1000) {
        return std::nullopt;
    }
    return value;
}

int DefaultWidth() {
    const char* columns = std::getenv("COLUMNS");
    if (columns != nullptr) {
        if (const auto width = ParseWidth(columns)) {
            return *width;
        }
    }
    return 80;
}

// The folder of the running program, where the build and a plain copy keep
// the instructions beside it. Linux's /proc tells it; elsewhere the lookup
// goes on without it.
fs::path ProgramFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self.parent_path();
}

} // namespace

int RunManual(Arguments args) {
    int width = DefaultWidth();
    std::optional<fs::path> file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            PrintManualUsage(std::cout);
            return kExitSuccess;
        }
        if (arg == "--width") {
            const auto value = i + 1 < args.size() ? ParseWidth(args[i + 1]) : std::nullopt;
            if (!value) {
                std::cerr << "korvel-config manual: --width needs a number from 20 to 1000\n";
                return kExitUsage;
            }
            width = *value;
            ++i;
        } else if (arg.empty()) {
            std::cerr << "korvel-config manual: the file name is empty\n";
            return kExitUsage;
        } else if (!file && !arg.starts_with("--")) {
            file = fs::path(arg);
        } else {
            std::cerr << "korvel-config manual: unexpected argument '" << arg << "'\n";
            PrintManualUsage(std::cerr);
            return kExitUsage;
        }
    }
    if (!file) {
        file = FindInstructions(kInstructionsFile, ProgramFolder());
        if (!file) {
            std::cerr << "korvel-config manual: " << kInstructionsFile
                      << " is missing: not in the current folder, beside the program or in the "
                         "installed data folder\n";
            return kExitUsage;
        }
    }
    const InstructionsBytes read = ReadInstructions(*file);
    if (read.problem != InstructionsBytes::Problem::None) {
        std::cerr << "korvel-config manual: cannot read " << file->string() << ": " << read.reason
                  << "\n";
        return kExitUsage;
    }
    const rtf::Document document = rtf::ReadRtf(read.bytes);
    if (!document.isRtf && !read.bytes.empty()) {
        std::cerr << "korvel-config manual: " << file->string() << " is not an RTF document\n";
        return kExitUsage;
    }
    std::cout << rtf::RenderPlainText(document, width);
    return kExitSuccess;
}

} // namespace korvel::cli
