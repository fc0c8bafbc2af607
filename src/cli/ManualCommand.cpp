#include "cli/CommandSupport.h"
#include "rtf/InstructionsFile.h"
#include "rtf/PlainTextRenderer.h"
#include "rtf/RtfReader.h"

#include <QCoreApplication>
#include <array>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

namespace korvel::cli {
namespace {

namespace fs = std::filesystem;

std::optional<int> ParseWidth(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 20 || value > 1000) {
        return std::nullopt;
    }
    return value;
}

bool IsWidth(std::string_view text) {
    return ParseWidth(text).has_value();
}

constexpr std::array kOptions = {
    OptionRow{.name = "--width",
              .value = "N",
              .help = "wrap the text to N columns, 20 to 1000",
              .needs = "a number from 20 to 1000",
              .accepts = IsWidth},
};

std::string ManualHelp() {
    return "Usage: korvel-config manual [--width N] [FILE]\n\n"
           "Prints the instructions (FILE, or " +
           std::string(kInstructionsFile) +
           " from the current\n"
           "folder, the program's folder or the installed data folder) as plain text\n"
           "wrapped to N columns (default: $COLUMNS, else 80).\n";
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

} // namespace

int RunManual(Arguments args) {
    const CommandSyntax syntax{
        .name = "manual", .about = ManualHelp(), .options = kOptions, .maxOperands = 1};
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    const auto width = parsed.value("--width");
    std::optional<fs::path> file;
    if (!parsed.operands().empty()) {
        if (parsed.operands().front().empty()) {
            return Fail("manual", "the file name is empty");
        }
        file = fs::path(parsed.operands().front());
    } else {
        file = FindInstructions(kInstructionsFile,
                                QCoreApplication::applicationDirPath().toStdU16String());
        if (!file) {
            return Fail("manual", std::string(kInstructionsFile) +
                                      " is missing: not in the current folder, beside the "
                                      "program or in the installed data folder");
        }
    }
    const InstructionsBytes read = ReadInstructions(*file);
    if (read.problem != InstructionsBytes::Problem::None) {
        return Fail("manual", "cannot read " + file->string() + ": " + read.reason);
    }
    const rtf::Document document = rtf::ReadRtf(read.bytes);
    if (!document.isRtf && !read.bytes.empty()) {
        return Fail("manual", file->string() + " is not an RTF document");
    }
    std::cout << rtf::RenderPlainText(document, width ? *ParseWidth(*width) : DefaultWidth());
    return kExitSuccess;
}

} // namespace korvel::cli
