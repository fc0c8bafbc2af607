#include "cli/CommandSupport.h"
#include "cli/PathArgument.h"
#include "cli/SendRecord.h"
#include "settingsfile/SettingsFileIo.h"

#include <QFileInfo>
#include <array>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config history FILE [--device PATH] [--last [--save OUT.cfg]]\n\n"
    "Lists the records of FILE, written by 'send --record', newest first: the\n"
    "time, the result, the device, the callsign and the first 12 hex digits of\n"
    "the image's SHA-256. A line that is not a whole record (a write cut short)\n"
    "is told on standard error; the whole records are still listed.\n";

constexpr int kExitDamaged = 1;

constexpr std::array kOptions = {
    OptionRow{.name = "--device",
              .value = "PATH",
              .help = "only the records of this device (its path or by-id name)",
              .needs = "the path of a serial device"},
    OptionRow{.name = "--last", .value = {}, .help = "only the last record that was sent"},
    OptionRow{.name = "--save",
              .value = "OUT.cfg",
              .help = "with --last: write its settings to the settings file OUT.cfg",
              .needs = "the path of a settings file to write"},
};

bool OfDevice(const SendRecord& record, const QString& device) {
    const QString path = QFileInfo(device).absoluteFilePath();
    return record.devicePath() == device || record.deviceById() == device ||
           record.devicePath() == path || record.deviceById() == path;
}

void PrintRecord(const SendRecord& record) {
    const QString device =
        record.deviceById().isEmpty() ? record.devicePath() : record.deviceById();
    std::cout << record.time().toStdString() << "  " << record.result().toStdString() << "  "
              << device.toStdString() << "  " << record.callsign().toStdString() << "  "
              << record.imageSha256().left(12).toStdString() << "\n";
}

int SaveLast(const SendRecord& record, const std::string& out) {
    const auto settings = SettingsOfJson(record.json.value("settings").toObject());
    if (!settings) {
        return Fail("history", "the last sent record: " + settings.error());
    }
    const auto path = PathArgument(out);
    if (!path) {
        return Fail("history", kPathNotUtf8);
    }
    if (const auto error = SaveSettingsFile(*settings, *path)) {
        return Fail("history", error->toStdString());
    }
    return kExitSuccess;
}

} // namespace

int RunHistory(Arguments args) {
    const CommandSyntax syntax{
        .name = "history",
        .about = kHelp,
        .options = kOptions,
        .exitCodes = "Exit codes: 0 listed, 1 listed but a line is damaged, 2 usage or a file "
                     "that cannot be read or written, or no sent record for --last.",
        .maxOperands = 1,
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    if (parsed.operands().size() != 1) {
        return Fail("history", "give the record file, e.g. 'korvel-config history sent.jsonl'");
    }
    if (parsed.has("--save") && !parsed.has("--last")) {
        return Fail("history", "--save goes with --last");
    }
    const std::string& path = parsed.operands().front();
    const auto file = ReadRecordFile(path);
    if (!file) {
        return Fail("history", file.error());
    }
    std::vector<SendRecord> records;
    const auto device = parsed.value("--device");
    for (const SendRecord& record : file->records) {
        if (!device || OfDevice(record, QString::fromStdString(*device))) {
            records.push_back(record);
        }
    }
    int exitCode = kExitSuccess;
    if (file->damagedLine) {
        std::cerr << "korvel-config history: " << path << ": line " << *file->damagedLine
                  << " is damaged (not a whole record; a write cut short?)\n";
        exitCode = kExitDamaged;
    }
    if (parsed.has("--last")) {
        const auto last = std::find_if(records.rbegin(), records.rend(),
                                       [](const SendRecord& r) { return r.sent(); });
        if (last == records.rend()) {
            return Fail("history", path + ": no record of a tracker that was sent");
        }
        if (const auto out = parsed.value("--save")) {
            const int saved = SaveLast(*last, *out);
            return saved == kExitSuccess ? exitCode : saved;
        }
        PrintRecord(*last);
        return exitCode;
    }
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        PrintRecord(*record);
    }
    return exitCode;
}

} // namespace korvel::cli
