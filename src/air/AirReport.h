#pragma once

#include "air/MicE.h"
#include "settings/DeviceSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

enum class PacketKind { Position, Status, Message };

// "position", "status", "message".
std::string_view PacketKindName(PacketKind kind);

// One packet the settings make the tracker send.
struct AirPacket {
    PacketKind kind = PacketKind::Position;
    std::string tnc2;                // SOURCE>DEST,PATH:INFO; other than printable ASCII as <0xNN>
    std::vector<std::uint8_t> frame; // between the flags, FCS included
    int bitsOnAir = 0;               // flag to flag, stuffing included
    double airtimeSeconds = 0;       // TX DELAY + bits / 1200
    int hops = 0;                    // the digipeater hops the path asks for
    int copies = 0;                  // transmissions on the air: the tracker's and the hops'
    int sends = 1;                   // times the tracker sends it: the message with its retries
    std::string note;                // what the packet holds that is not a setting, or empty
};

// One interval of the tracker and what it puts on the channel in an hour.
struct AirRate {
    Field field;
    long intervalSeconds = 0;
    double positionsPerHour = 0;
    double statusPerHour = 0;
    double airSecondsPerHour = 0;
    double airSecondsPerHourWithCopies = 0;
    double channelPercent = 0;
    bool aboveReference = false;
};

struct AirReport {
    std::vector<AirPacket> packets;
    std::vector<AirRate> rates; // the manual interval, then the speed bands, slowest first
    double txDelaySeconds = 0;
    double referencePercent = 0; // the one-station reference the rates are compared with
    std::vector<std::string> assumptions;
};

inline constexpr double kBaudRate = 1200;

// What the settings put on the air: the packets the tracker sends, their
// airtime, and the channel share per interval. The settings go through
// BuildImage on a copy first, so that every address, text and number is what
// the image carries; when the build refuses them, that is the failure.
Result<AirReport, FieldError> BuildAirReport(const DeviceSettings& settings,
                                             const SamplePosition& sample);

} // namespace korvel
