#include "cli/CommandSupport.h"
#include "cli/FieldsOutput.h"
#include "cli/SettingsSource.h"
#include "settings/CodePage.h"
#include "settings/ControlBytes.h"
#include "settings/FieldTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cstdio>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config diff A B [--json]\n\n"
    "Compares two settings files (.cfg) or records (the last whole record of a\n"
    "file that 'send --record' wrote). Prints each setting that differs, by its\n"
    "caption, with both texts (control characters escaped as 'fields' does), then\n"
    "each byte of the image that differs: its offset and both values in hex.\n"
    "Files that differ only in what the image does not carry (Comm num) are\n"
    "the same on the tracker: one line says so.\n";

constexpr int kExitDiffer = 1;

constexpr std::array kOptions = {
    OptionRow{.name = "--json", .value = {}, .help = "print the differences as one JSON object"},
};

struct SettingDifference {
    const FieldTraits* traits;
    std::string a, b;
};

struct ByteDifference {
    std::size_t offset;
    unsigned a, b;
};

std::vector<SettingDifference> SettingDifferences(const DeviceSettings& a,
                                                  const DeviceSettings& b) {
    std::vector<SettingDifference> differences;
    for (const FieldTraits& traits : AllFields()) {
        if (std::string shownA = FieldText(a, traits), shownB = FieldText(b, traits);
            shownA != shownB) {
            differences.push_back({&traits, std::move(shownA), std::move(shownB)});
        }
    }
    return differences;
}

std::vector<ByteDifference> ByteDifferences(const ConfigImage& a, const ConfigImage& b) {
    std::vector<ByteDifference> differences;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            differences.push_back({i, a[i], b[i]});
        }
    }
    return differences;
}

std::string Hex(unsigned byte) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

void PrintText(const std::vector<SettingDifference>& settings,
               const std::vector<ByteDifference>& bytes) {
    if (!settings.empty() && bytes.empty()) {
        std::cout << "Same on the tracker: only";
        for (const SettingDifference& d : settings) {
            std::cout << (&d == &settings.front() ? " " : ", ") << CaptionOf(d.traits->field);
        }
        std::cout << " differ" << (settings.size() == 1 ? "s" : "")
                  << ", which the image does not carry\n";
        return;
    }
    for (const SettingDifference& d : settings) {
        std::cout << CaptionOf(d.traits->field) << " (" << d.traits->name << "): '" << d.a
                  << "' | '" << d.b << "'\n";
    }
    for (const ByteDifference& d : bytes) {
        std::cout << "image byte " << d.offset << ": " << Hex(d.a) << " | " << Hex(d.b) << "\n";
    }
}

void PrintJson(const std::vector<SettingDifference>& settings,
               const std::vector<ByteDifference>& bytes) {
    QJsonArray settingsJson;
    for (const SettingDifference& d : settings) {
        settingsJson.append(
            QJsonObject{{"name", QString::fromUtf8(d.traits->name.data(), d.traits->name.size())},
                        {"caption", QString::fromStdString(CaptionOf(d.traits->field))},
                        {"a", QString::fromStdString(d.a)},
                        {"b", QString::fromStdString(d.b)}});
    }
    QJsonArray bytesJson;
    for (const ByteDifference& d : bytes) {
        bytesJson.append(QJsonObject{{"offset", static_cast<int>(d.offset)},
                                     {"a", QString::fromStdString(Hex(d.a))},
                                     {"b", QString::fromStdString(Hex(d.b))}});
    }
    const QJsonObject json{{"same", settings.empty() && bytes.empty()},
                           {"same_on_tracker", bytes.empty()},
                           {"settings", settingsJson},
                           {"image", bytesJson}};
    std::cout << QJsonDocument(json).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace

int RunDiff(Arguments args) {
    const CommandSyntax syntax{
        .name = "diff",
        .about = kHelp,
        .options = kOptions,
        .exitCodes = "Exit codes: 0 the same (on the tracker), 1 they differ, 2 usage or a file "
                     "that cannot be read.",
        .maxOperands = 2,
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    if (parsed.operands().size() != 2) {
        return Fail("diff", "give two files to compare, e.g. 'korvel-config diff A.cfg B.cfg'");
    }
    const auto a = LoadSettingsSource(parsed.operands()[0]);
    if (!a) {
        return Fail("diff", a.error());
    }
    const auto b = LoadSettingsSource(parsed.operands()[1]);
    if (!b) {
        return Fail("diff", b.error());
    }
    const auto settings = SettingDifferences(a->settings, b->settings);
    const auto bytes = ByteDifferences(a->image, b->image);
    if (parsed.has("--json")) {
        PrintJson(settings, bytes);
    } else {
        PrintText(settings, bytes);
    }
    return bytes.empty() ? kExitSuccess : kExitDiffer;
}

} // namespace korvel::cli
