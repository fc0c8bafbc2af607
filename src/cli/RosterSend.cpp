#include "cli/RosterSend.h"

#include "cli/CommandSupport.h"
#include "cli/PathArgument.h"
#include "cli/SendRecord.h"
#include "settings/FieldTable.h"
#include "settingsfile/SettingsFileReader.h"

#include <QFile>
#include <QSet>
#include <iostream>
#include <map>
#include <set>

#if defined(_WIN32)
#include <io.h>
#define KORVEL_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define KORVEL_ISATTY(fd) ::isatty(fd)
#endif

namespace korvel::cli {
namespace {

using Row = std::vector<std::string>;

// One tracker of the roster, checked and built.
struct Tracker {
    std::size_t line = 0;
    std::string callsign;
    SettingsRecord settings;
    ConfigImage image{};
};

Result<std::vector<Row>, std::string> ReadRows(const std::string& path) {
    const auto name = PathArgument(path);
    if (!name) {
        return Failure{std::string("--roster: ") + kPathNotUtf8};
    }
    QFile file(*name);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure{"--roster " + path + ": " + file.errorString().toStdString()};
    }
    const QByteArray bytes = file.readAll();
    SettingsFileReader reader(std::string_view(bytes.constData(), bytes.size()));
    std::map<std::size_t, Row> lines;
    for (;;) {
        auto value = reader.next();
        if (!value) {
            if (value.error().kind == ReadFailure::Kind::EndOfFile) {
                break;
            }
            return Failure{"--roster " + path + ": line " + std::to_string(value.error().line) +
                           ": a quoted value is never closed"};
        }
        lines[value->line].push_back(value->text);
    }
    std::vector<Row> rows;
    for (auto& [line, row] : lines) {
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Result<std::vector<std::string>, std::string> CheckHeader(const Row& header) {
    std::vector<std::string> columns;
    for (const std::string& cell : header) {
        const std::string name = Trimmed(cell);
        if (!FindField(name)) {
            return Failure{"unknown column '" + name +
                           "' ('korvel-config fields' lists the names)"};
        }
        if (std::find(columns.begin(), columns.end(), name) != columns.end()) {
            return Failure{"column " + name + " is there twice"};
        }
        columns.push_back(name);
    }
    if (std::find(columns.begin(), columns.end(), "edMyCall") == columns.end()) {
        return Failure{"the header row has no edMyCall column: each tracker needs its callsign"};
    }
    return columns;
}

// Checks every row and builds its image; the first refusal names the row and column.
Result<std::vector<Tracker>, std::string> BuildTrackers(const SettingsOptions& base,
                                                        const std::vector<Row>& rows) {
    if (rows.size() < 2) {
        return Failure{"the roster has no tracker rows below its header row"};
    }
    auto columns = CheckHeader(rows.front());
    if (!columns) {
        return Failure{"header row: " + columns.error()};
    }
    std::vector<Tracker> trackers;
    std::map<std::string, std::size_t> rowOfCallsign;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const std::string where = "row " + std::to_string(r);
        if (rows[r].size() != columns->size()) {
            return Failure{where + ": " + std::to_string(rows[r].size()) + " values for " +
                           std::to_string(columns->size()) + " columns"};
        }
        for (std::size_t c = 0; c < columns->size(); ++c) {
            SettingsOptions one = base;
            one.sets.emplace_back((*columns)[c], rows[r][c]);
            if (auto built = BuildSettings(one); !built) {
                return Failure{where + ", column " + (*columns)[c] + ": " + built.error()};
            }
        }
        SettingsOptions options = base;
        for (std::size_t c = 0; c < columns->size(); ++c) {
            options.sets.emplace_back((*columns)[c], rows[r][c]);
        }
        Tracker tracker{.line = r, .callsign = {}, .settings = *BuildSettings(options)};
        const BuildResult result = BuildImage(tracker.settings, tracker.image);
        if (!result.success()) {
            return Failure{where + ": " + BuildFailure(result)};
        }
        tracker.callsign = tracker.settings.text(Field::edMyCall);
        if (const auto [at, fresh] = rowOfCallsign.emplace(tracker.callsign, r); !fresh) {
            return Failure{where + ", column edMyCall: " + tracker.callsign + " is also row " +
                           std::to_string(at->second)};
        }
        trackers.push_back(std::move(tracker));
    }
    return trackers;
}

// The hashes of the images the record shows as sent.
Result<QSet<QString>, std::string> SentImages(const RosterOptions& options) {
    QSet<QString> sent;
    if (!options.resume) {
        return sent;
    }
    const auto file = ReadRecordFile(*options.record);
    if (!file) {
        return Failure{"--resume: " + file.error()};
    }
    for (const SendRecord& record : file->records) {
        if (record.sent()) {
            sent.insert(record.imageSha256());
        }
    }
    return sent;
}

} // namespace

int SendRoster(const SettingsOptions& base, const RosterOptions& options, const SendOne& sendOne) {
    if (options.resume && !options.record) {
        return Fail("send", "--resume needs --record FILE, the record of the roster's sends");
    }
    if (!options.yes && !KORVEL_ISATTY(0)) {
        return Fail("send", "standard input is not a terminal, so nobody can press Enter "
                            "between trackers; give --yes to send to each without waiting");
    }
    const auto rows = ReadRows(options.path);
    if (!rows) {
        return Fail("send", rows.error());
    }
    const auto trackers = BuildTrackers(base, *rows);
    if (!trackers) {
        return Fail("send",
                    "--roster " + options.path + ": " + trackers.error() + "; nothing was sent");
    }
    const auto sent = SentImages(options);
    if (!sent) {
        return Fail("send", sent.error());
    }
    const std::size_t count = trackers->size();
    std::size_t skipped = 0;
    for (const Tracker& tracker : *trackers) {
        const std::string which = "tracker " + std::to_string(tracker.line) + " of " +
                                  std::to_string(count) + " (" + tracker.callsign + ")";
        if (sent->contains(Sha256Of(tracker.image))) {
            std::cout << "Skipping " << which << ": the record shows it sent\n";
            ++skipped;
            continue;
        }
        std::cout << "Connect " << which << (options.yes ? "\n" : " and press Enter\n");
        std::cout.flush();
        std::string answer;
        if (!options.yes && !std::getline(std::cin, answer)) {
            std::cerr << "korvel-config send: stopped before " << which << "\n";
            return kExitTransferFailed;
        }
        if (const int code = sendOne(tracker.image, tracker.settings); code != kExitSuccess) {
            std::cerr << "korvel-config send: " << which
                      << (code == kExitInterrupted ? " was sent" : " failed")
                      << "; the roster stops here"
                      << (options.record ? " (run it again with --resume for the rest)" : "")
                      << "\n";
            return code;
        }
    }
    std::cout << "Roster done: " << (count - skipped) << " sent, " << skipped
              << " already sent before\n";
    return kExitSuccess;
}

} // namespace korvel::cli
