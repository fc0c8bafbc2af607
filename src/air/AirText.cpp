#include "air/AirText.h"

#include "settings/FieldTable.h"

#include <cstdio>

namespace korvel {
namespace {

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// 40 as "40", 13.33 as "13.3": what a listener needs.
std::string Count(double value) {
    const double rounded = static_cast<double>(static_cast<long>(value * 10 + 0.5)) / 10;
    return rounded == static_cast<double>(static_cast<long>(rounded)) ? Fixed(rounded, 0)
                                                                      : Fixed(rounded, 1);
}

std::string KindInWords(PacketKind kind) {
    switch (kind) {
    case PacketKind::Position:
        return "Position report";
    case PacketKind::Status:
        return "Status report";
    case PacketKind::Message:
        return "Message";
    }
    return "";
}

} // namespace

std::string PacketFigures(const AirPacket& packet) {
    return std::string(PacketKindName(packet.kind)) + ": " + std::to_string(packet.frame.size()) +
           " bytes, " + std::to_string(packet.bitsOnAir) + " bits on the air, " +
           Fixed(packet.airtimeSeconds, 3) + " s; " + std::to_string(packet.hops) + " hops, " +
           std::to_string(packet.copies) + " copies, " +
           Fixed(packet.airtimeSeconds * packet.copies, 3) + " s with the copies";
}

std::string PacketInWords(const AirPacket& packet) {
    const std::string& line = packet.tnc2;
    const std::size_t arrow = line.find('>');
    const std::size_t colon = line.find(':');
    const std::string source = line.substr(0, arrow);
    const std::string route = line.substr(arrow + 1, colon - arrow - 1);
    const std::size_t comma = route.find(',');
    std::string words =
        KindInWords(packet.kind) + " from " + source + " to " + route.substr(0, comma) +
        (comma == std::string::npos ? ", no path" : " via " + route.substr(comma + 1));
    words += ": " + std::to_string(packet.frame.size()) + " bytes, " +
             std::to_string(packet.bitsOnAir) + " bits, " + Fixed(packet.airtimeSeconds, 2) +
             " seconds on the air; " + std::to_string(packet.copies) +
             (packet.copies == 1 ? " transmission" : " transmissions") +
             " with the digipeaters' copies, " + Fixed(packet.airtimeSeconds * packet.copies, 2) +
             " seconds.";
    if (packet.sends > 1) {
        words += " Sent " + std::to_string(packet.sends) + " times with its retries.";
    }
    return words;
}

std::string RateInWords(const AirRate& rate, double referencePercent) {
    return CaptionOf(rate.field) + ", every " + std::to_string(rate.intervalSeconds) +
           " seconds: " + Count(rate.positionsPerHour) + " position reports and " +
           Count(rate.statusPerHour) + " status reports an hour, " + Fixed(rate.channelPercent, 2) +
           " percent of the channel with the copies, " +
           (rate.aboveReference ? "above" : "within") + " the one-station reference of " +
           Fixed(referencePercent, 2) + " percent.";
}

} // namespace korvel
