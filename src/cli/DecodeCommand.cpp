#include "cli/CommandSupport.h"
#include "cli/FieldsOutput.h"
#include "cli/ImageInput.h"
#include "cli/PathArgument.h"
#include "cli/SendRecord.h"
#include "image/ReadImage.h"
#include "settings/CodePage.h"
#include "settings/ControlBytes.h"
#include "settings/FieldTable.h"
#include "settingsfile/SettingsFileIo.h"

#include <QFile>
#include <QJsonDocument>
#include <array>
#include <iostream>
#include <iterator>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config decode [FILE] [--json] [--save OUT.cfg]\n\n"
    "Reads a configuration image from FILE or standard input and prints the\n"
    "settings it carries as 'fields' does. The image is the 114 bytes, or the 120\n"
    "that go on the line (with their start markers and checksums, which are\n"
    "checked); either as hex, as 'image' prints it, or as the bytes themselves.\n"
    "Numbers come out as the tracker holds them. Settings the image does not\n"
    "carry (Comm num) keep their factory defaults, and standard error says so.\n";

constexpr std::array kOptions = {
    OptionRow{.name = "--json", .value = {}, .help = "print the settings as one JSON object"},
    OptionRow{.name = "--save",
              .value = "OUT.cfg",
              .help = "also write the settings to the settings file OUT.cfg",
              .needs = "the path of a settings file to write"},
};

// Whole-file reads are bounded: an image is at most a few hundred characters.
constexpr qint64 kLargestInput = 64 * 1024;

Result<std::string, std::string> ReadInput(const std::string& path) {
    QFile file;
    if (path == "-") {
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            return Failure{std::string("standard input cannot be read")};
        }
    } else {
        const auto name = PathArgument(path);
        if (!name) {
            return Failure{std::string(kPathNotUtf8)};
        }
        file.setFileName(*name);
        if (!file.open(QIODevice::ReadOnly)) {
            return Failure{path + ": " + file.errorString().toStdString()};
        }
    }
    const QByteArray bytes = file.read(kLargestInput + 1);
    if (bytes.size() > kLargestInput) {
        return Failure{(path == "-" ? std::string("standard input") : path) +
                       ": far too long for an image"};
    }
    return bytes.toStdString();
}

} // namespace

int RunDecode(Arguments args) {
    const CommandSyntax syntax{
        .name = "decode",
        .about = kHelp,
        .options = kOptions,
        .exitCodes = "Exit codes: 0 decoded, 2 usage, or input that is no image (the message "
                     "names the byte).",
        .maxOperands = 1,
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    const std::string path = parsed.operands().empty() ? "-" : parsed.operands().front();
    const auto input = ReadInput(path);
    if (!input) {
        return Fail("decode", input.error());
    }
    const auto image = ImageFromInput(*input);
    if (!image) {
        return Fail("decode", image.error());
    }
    const auto read = ReadImage(*image);
    if (!read) {
        return Fail("decode", "not an image SEND writes: " + read.error().message());
    }
    for (const Field field : read->notHeld) {
        std::cerr << "korvel-config decode: " << CaptionOf(field)
                  << " is not in the image; it shows the factory default\n";
    }
    if (const auto out = parsed.value("--save")) {
        const auto name = PathArgument(*out);
        if (!name) {
            return Fail("decode", kPathNotUtf8);
        }
        if (const auto error = SaveSettingsFile(read->settings, *name)) {
            return Fail("decode", error->toStdString());
        }
    }
    if (parsed.has("--json")) {
        std::cout << QJsonDocument(FieldsJson(read->settings)).toJson().toStdString();
    } else {
        PrintFields(std::cout, read->settings);
    }
    return kExitSuccess;
}

} // namespace korvel::cli
