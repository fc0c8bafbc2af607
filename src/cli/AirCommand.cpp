#include "air/AirText.h"
#include "cli/CommandSupport.h"
#include "settings/CodePage.h"
#include "settings/CodePageText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cstdio>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config air [--file F.cfg] [--set NAME=VALUE]... [--at LAT,LON] [--json]\n\n"
    "Shows what the tracker will put on the air: its position report, status report\n"
    "and message as monitor lines (SOURCE>DEST,PATH:INFO), each followed by its\n"
    "frame's size, its bits on the air (flags and bit stuffing included), its\n"
    "airtime at 1200 baud with the TX DELAY, and its bytes in hex (FCS included);\n"
    "then, for the manual interval and each speed band, the packets and seconds\n"
    "on the air per hour and the share of the channel, '*' marking a share above\n"
    "one station's (a mobile every 60 s through WIDE1-1,WIDE2-1); then every\n"
    "assumption made where the settings do not fix the format. Bytes that are not\n"
    "printable ASCII are shown as <0xNN>.\n"
    "The settings start from the factory defaults.\n";

constexpr std::array kOptions = {
    kFileOption,
    kSetOption,
    OptionRow{.name = "--at",
              .value = "LAT,LON",
              .help = "the sample position of the Mic-E report, in decimal degrees\n"
                      "(default 45.4642,9.1900; speed and course are 0)",
              .needs = "LAT,LON in decimal degrees, e.g. 45.4642,9.1900"},
    OptionRow{.name = "--json",
              .value = {},
              .help = "print {\"assumptions\", \"packets\", \"rates\"} as JSON"},
};

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void PrintPacket(const AirPacket& packet) {
    std::cout << packet.tnc2 << "\n  " << PacketFigures(packet) << "\n";
    if (!packet.note.empty()) {
        std::cout << "  " << packet.note << "\n";
    }
    std::cout << "  frame:";
    for (const std::uint8_t byte : packet.frame) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned>(byte));
        std::cout << hex;
    }
    std::cout << "\n";
}

void PrintRates(const AirReport& report) {
    char line[160];
    std::snprintf(line, sizeof line, "\n%-22s %7s %11s %9s %8s %12s %9s\n", "Interval", "Every",
                  "Positions/h", "Status/h", "Air s/h", "With copies", "Channel");
    std::cout << line;
    for (const AirRate& rate : report.rates) {
        std::snprintf(line, sizeof line, "%-22s %5ld s %11.1f %9.1f %8.2f %12.2f %7.2f %%%s\n",
                      CodePageToUtf8(CaptionOf(rate.field)).c_str(), rate.intervalSeconds,
                      rate.positionsPerHour, rate.statusPerHour, rate.airSecondsPerHour,
                      rate.airSecondsPerHourWithCopies, rate.channelPercent,
                      rate.aboveReference ? " *" : "");
        std::cout << line;
    }
    std::cout << "* above the one-station reference, " << Format("%.2f", report.referencePercent)
              << " %: a mobile every 60 s through WIDE1-1,WIDE2-1\n";
}

void PrintText(const AirReport& report) {
    for (const AirPacket& packet : report.packets) {
        PrintPacket(packet);
    }
    PrintRates(report);
    std::cout << "\nAssumptions:\n";
    for (const std::string& assumption : report.assumptions) {
        std::cout << "- " << assumption << "\n";
    }
}

std::string ReportJson(const AirReport& report) {
    QJsonArray assumptions;
    for (const std::string& assumption : report.assumptions) {
        assumptions.append(FromCodePage(assumption));
    }
    QJsonArray packets;
    for (const AirPacket& packet : report.packets) {
        packets.append(
            QJsonObject{{QStringLiteral("kind"), FromCodePage(PacketKindName(packet.kind))},
                        {QStringLiteral("tnc2"), FromCodePage(packet.tnc2)},
                        {QStringLiteral("frame_bytes"), static_cast<int>(packet.frame.size())},
                        {QStringLiteral("bits_on_air"), packet.bitsOnAir},
                        {QStringLiteral("airtime_s"), packet.airtimeSeconds},
                        {QStringLiteral("hops"), packet.hops},
                        {QStringLiteral("copies"), packet.copies}});
    }
    QJsonArray rates;
    for (const AirRate& rate : report.rates) {
        rates.append(QJsonObject{
            {QStringLiteral("band"), FromCodePage(CaptionOf(rate.field))},
            {QStringLiteral("field"), FromCodePage(TraitsOf(rate.field).name)},
            {QStringLiteral("interval_s"), static_cast<qint64>(rate.intervalSeconds)},
            {QStringLiteral("positions_per_hour"), rate.positionsPerHour},
            {QStringLiteral("status_per_hour"), rate.statusPerHour},
            {QStringLiteral("air_s_per_hour"), rate.airSecondsPerHour},
            {QStringLiteral("air_s_per_hour_with_copies"), rate.airSecondsPerHourWithCopies},
            {QStringLiteral("channel_percent"), rate.channelPercent}});
    }
    const QJsonObject root{{QStringLiteral("assumptions"), assumptions},
                           {QStringLiteral("packets"), packets},
                           {QStringLiteral("rates"), rates}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace

int RunAir(Arguments args) {
    const CommandSyntax syntax{
        .name = "air",
        .about = kHelp,
        .options = kOptions,
        .exitCodes = "Exit codes: 0 printed, 2 usage, file or field error, or settings that "
                     "SEND refuses.",
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    SamplePosition sample;
    if (const auto at = parsed.value("--at")) {
        auto position = ParseSamplePosition(*at);
        if (!position) {
            return Fail("air", "--at: " + position.error());
        }
        sample = *position;
    }
    int exitCode = kExitSuccess;
    const auto settings = SettingsOrFail("air", SettingsOptionsOf(parsed), exitCode);
    if (!settings) {
        return exitCode;
    }
    const auto report = BuildAirReport(*settings, sample);
    if (!report) {
        return Fail("air", BuildFailure(BuildResult{.error = report.error(), .gpslessMode = {}}));
    }
    if (parsed.has("--json")) {
        std::cout << ReportJson(*report);
    } else {
        PrintText(*report);
    }
    return kExitSuccess;
}

} // namespace korvel::cli
