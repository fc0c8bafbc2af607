#include "air/AirReport.h"

#include "advisor/AprsPosition.h"
#include "advisor/PathAdvice.h"
#include "air/Ax25Frame.h"
#include "image/BuildImage.h"
#include "image/PutCallsign.h"
#include "settings/FieldTable.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace korvel {
namespace {

constexpr double kSecondsPerHour = 3600;
constexpr std::size_t kAddresseeWidth = 9;

// Where a field stands in the image, from the field table.
const ImagePlace& PlaceOf(Field field) {
    return TraitsOf(field).image;
}

std::size_t OffsetOf(Field field) {
    return PlaceOf(field).offset;
}

std::size_t EndOf(Field field) {
    return PlaceOf(field).offset + PlaceOf(field).bytes;
}

// The number a field's bits hold in the image.
int BitsOf(const ConfigImage& image, Field field) {
    const ImagePlace& place = PlaceOf(field);
    return (image[place.offset] >> place.firstBit) & static_cast<int>(place.highestInBits());
}

// One station's fair share of the channel: a mobile beaconing every minute
// through WIDE1-1,WIDE2-1, the sound path of a moving station (beacon etiquette
// of the APRS network, New-N paradigm).
constexpr long kReferenceInterval = 60;
constexpr const char* kReferencePath = "WIDE1-1,WIDE2-1";

// What a map makes of the status text sent as the position: the position in
// words, or what keeps maps from placing it.
std::string GpslessPositionNote(std::string_view statusText) {
    const auto position = FindStatusPosition(statusText);
    if (!position) {
        return "no position maps can place: " + position.error();
    }
    return "position from the STATUS text: " + PositionInWords(*position);
}

// The settings as a record of their own, so that the build's write-backs leave
// the caller's settings (the window's fields) as they are.
SettingsRecord CopyOf(const DeviceSettings& settings) {
    SettingsRecord copy;
    for (const FieldTraits& traits : AllFields()) {
        if (traits.kind == FieldKind::Text) {
            (void)copy.setText(traits.field, settings.text(traits.field));
        } else {
            (void)copy.setValue(traits.field, settings.value(traits.field));
        }
    }
    return copy;
}

// The address entry at `at` as the tracker sends it: six characters without
// their filling spaces, then the SSID character "0" + n.
SentAddress EntryAt(const ConfigImage& image, std::size_t at) {
    const std::string_view six(reinterpret_cast<const char*>(image.data() + at), kCallsignLength);
    return {std::string(TrimSpaces(six)), image[at + kCallsignLength] - '0'};
}

// The path entries: each present unless the 0 that ends the list stands there.
std::vector<SentAddress> PathOf(const ConfigImage& image) {
    std::vector<SentAddress> path;
    const std::size_t first = OffsetOf(Field::edAprsPath);
    for (const std::size_t at : {first, first + kAddressEntrySize}) {
        if (image[at] == 0) {
            break;
        }
        path.push_back(EntryAt(image, at));
    }
    return path;
}

// A text of the image up to its closing 0.
std::string TextAt(const ConfigImage& image, std::size_t at, std::size_t end) {
    std::string text;
    for (std::size_t i = at; i < end && image[i] != 0; ++i) {
        text.push_back(static_cast<char>(image[i]));
    }
    return text;
}

std::string Monitor(std::string_view info) {
    std::string text;
    for (const char c : info) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            text.push_back(c);
        } else {
            char hex[7];
            std::snprintf(hex, sizeof hex, "<0x%02x>", byte);
            text += hex;
        }
    }
    return text;
}

std::string Tnc2(const SentAddress& destination, const SentAddress& source,
                 const std::vector<SentAddress>& path, std::string_view info) {
    std::string line = source.onAir() + ">" + destination.onAir();
    for (const SentAddress& digi : path) {
        line += "," + digi.onAir();
    }
    return line + ":" + Monitor(info);
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

class PacketMaker {
public:
    PacketMaker(const SentAddress& source, std::vector<SentAddress> path, int hops,
                double txDelaySeconds)
        : source_(source), path_(std::move(path)), hops_(hops), txDelay_(txDelaySeconds) {}

    AirPacket make(PacketKind kind, const SentAddress& destination, std::string_view info) const {
        AirPacket packet;
        packet.kind = kind;
        packet.tnc2 = Tnc2(destination, source_, path_, info);
        packet.frame = UiFrameBytes(destination, source_, path_, info);
        packet.bitsOnAir = BitsOnAir(packet.frame);
        packet.airtimeSeconds = txDelay_ + packet.bitsOnAir / kBaudRate;
        packet.hops = hops_;
        packet.copies = hops_ + 1;
        return packet;
    }

private:
    SentAddress source_;
    std::vector<SentAddress> path_;
    int hops_;
    double txDelay_;
};

// Seconds on the air in an hour, of the tracker's own transmissions and with
// every copy, for position reports every `interval` s and a status report
// after every `statusEvery`-th of them.
struct HourlyAir {
    double positions = 0;
    double status = 0;
    double own = 0;
    double withCopies = 0;
};

HourlyAir AirPerHour(long interval, int statusEvery, const AirPacket& position,
                     const AirPacket* status) {
    HourlyAir air;
    air.positions = kSecondsPerHour / static_cast<double>(interval);
    air.status = status && statusEvery > 0 ? air.positions / statusEvery : 0;
    air.own = air.positions * position.airtimeSeconds;
    air.withCopies = air.own * position.copies;
    if (status) {
        air.own += air.status * status->airtimeSeconds;
        air.withCopies += air.status * status->airtimeSeconds * status->copies;
    }
    return air;
}

double Percent(double secondsPerHour) {
    return 100 * secondsPerHour / kSecondsPerHour;
}

std::vector<Field> IntervalFields() {
    std::vector<Field> fields = {Field::edManualTime};
    for (std::size_t band = 0; band < kSpeedBands; ++band) {
        fields.push_back(SpeedTableField(band));
    }
    return fields;
}

// The frames of the two packets that go out at the beacon interval.
struct BeaconFrames {
    SentAddress positionDestination;
    std::string positionInfo;
    SentAddress statusDestination;
    std::optional<std::string> statusInfo; // none when no status report is sent
};

// The reference for one station's share: the same beacons every minute through
// WIDE1-1,WIDE2-1.
double ReferencePercent(const BeaconFrames& beacons, const SentAddress& source, int statusEvery,
                        double txDelaySeconds) {
    std::vector<SentAddress> path;
    for (const SentPathAddress& address : SentPathOf(kReferencePath)) {
        path.push_back(address.sent);
    }
    const PacketMaker maker(source, path, PathHops(kReferencePath), txDelaySeconds);
    const AirPacket position =
        maker.make(PacketKind::Position, beacons.positionDestination, beacons.positionInfo);
    std::optional<AirPacket> status;
    if (beacons.statusInfo) {
        status = maker.make(PacketKind::Status, beacons.statusDestination, *beacons.statusInfo);
    }
    const HourlyAir air =
        AirPerHour(kReferenceInterval, statusEvery, position, status ? &*status : nullptr);
    return Percent(air.withCopies);
}

std::vector<AirRate> RatesOf(const DeviceSettings& settings, int statusEvery,
                             const AirPacket& position, const AirPacket* status,
                             double referencePercent) {
    std::vector<AirRate> rates;
    for (const Field field : IntervalFields()) {
        const long interval = IntervalAsSent(settings.text(field));
        const HourlyAir air = AirPerHour(interval, statusEvery, position, status);
        const double percent = Percent(air.withCopies);
        rates.push_back({.field = field,
                         .intervalSeconds = interval,
                         .positionsPerHour = air.positions,
                         .statusPerHour = air.status,
                         .airSecondsPerHour = air.own,
                         .airSecondsPerHourWithCopies = air.withCopies,
                         .channelPercent = percent,
                         .aboveReference = percent > referencePercent * (1 + 1e-9)});
    }
    return rates;
}

} // namespace

std::string_view PacketKindName(PacketKind kind) {
    switch (kind) {
    case PacketKind::Position:
        return "position";
    case PacketKind::Status:
        return "status";
    case PacketKind::Message:
        return "message";
    }
    return "";
}

Result<AirReport, FieldError> BuildAirReport(const DeviceSettings& settings,
                                             const SamplePosition& sample) {
    SettingsRecord built = CopyOf(settings);
    ConfigImage image{};
    if (BuildResult result = BuildImage(built, image); !result.success()) {
        return Failure{std::move(*result.error)};
    }
    AirReport report;
    auto& assumptions = report.assumptions;
    report.txDelaySeconds = TxDelayMilliseconds(image[OffsetOf(Field::edNumFlagsAuto)]) / 1000;
    const bool gpsless = image[OffsetOf(Field::edGpsAcqTime)] == 0;
    const int statusEvery = gpsless ? 0 : BitsOf(image, Field::edBcnEvery);
    const int micE = BitsOf(image, Field::cbMicEMsg);
    const SentAddress unprotocol = EntryAt(image, OffsetOf(Field::edReceiver));
    const SentAddress source = EntryAt(image, OffsetOf(Field::edMyCall));
    const std::string statusText = TextAt(image, OffsetOf(Field::edBeacon), EndOf(Field::edBeacon));
    const std::string pathText = built.text(Field::edAprsPath);
    const PacketMaker maker(source, PathOf(image), PathHops(pathText), report.txDelaySeconds);

    BeaconFrames beacons;
    beacons.statusDestination = unprotocol;
    if (gpsless) {
        beacons.positionDestination = unprotocol;
        beacons.positionInfo = "!" + statusText;
        assumptions.push_back("GPSless mode: the position report is the status text behind the "
                              "type character '!' (a position without timestamp), sent to the "
                              "Unprotocol call; no status report besides.");
        assumptions.push_back("GPSless mode: with no GPS speed the tracker is taken to beacon at "
                              "the manual interval; the speed bands are shown as set.");
    } else {
        beacons.positionDestination = {MicEDestination(sample, micE), 0};
        beacons.positionInfo =
            MicEInformation(sample, static_cast<char>(image[OffsetOf(Field::edSymbol)]),
                            static_cast<char>(image[OffsetOf(Field::chkTable)]));
        assumptions.push_back(
            "The position report is Mic-E with current GPS data: the destination carries the "
            "latitude and the Mic-E message with SSID 0; no text follows the symbol.");
        if (statusEvery > 0) {
            beacons.statusInfo = ">" + statusText;
            assumptions.push_back(
                "The status report is a packet of its own to the Unprotocol call, sent once "
                "every " +
                std::to_string(statusEvery) + " position reports (Status txt every).");
        } else {
            assumptions.push_back("Status txt every is 0: no status report is taken to be sent.");
        }
    }

    AirPacket position =
        maker.make(PacketKind::Position, beacons.positionDestination, beacons.positionInfo);
    if (gpsless) {
        position.note = GpslessPositionNote(statusText);
    } else {
        position.note =
            "sample position " + Fixed(sample.latitude, 4) + "," + Fixed(sample.longitude, 4) +
            ", speed " + std::to_string(sample.speedKnots) + " kn, course " +
            std::to_string(sample.courseDegrees) + ": not a setting, the tracker sends its GPS fix";
    }
    report.packets.push_back(std::move(position));
    if (beacons.statusInfo) {
        report.packets.push_back(maker.make(PacketKind::Status, unprotocol, *beacons.statusInfo));
    }

    std::string addressee = EntryAt(image, OffsetOf(Field::edDestCall)).onAir();
    addressee.resize(std::max(addressee.size(), kAddresseeWidth), ' ');
    AirPacket message = maker.make(
        PacketKind::Message, unprotocol,
        ":" + addressee + ":" + TextAt(image, OffsetOf(Field::edAprsMsg), EndOf(Field::edAprsMsg)));
    message.sends = 1 + image[OffsetOf(Field::edMsgRepeat)];
    message.note = "sent " + std::to_string(message.sends) + " times with its retries";
    report.packets.push_back(std::move(message));
    assumptions.push_back("The message goes to the Unprotocol call without a message number, "
                          "sent once and then Msg Retries times more; it follows no interval "
                          "(the tracker sends it when it has a reason to, such as a message "
                          "to MY CALLSIGN with Auto send ticked), so the rates leave it out.");

    assumptions.push_back(
        "Copies: each hop the path asks for sends a packet once more (h hops, h + 1 "
        "transmissions); fill-in digipeaters answering WIDE1-1 in the first area may add more.");
    if (unprotocol.ssid != 0) {
        assumptions.push_back("The Unprotocol call's SSID " + std::to_string(unprotocol.ssid) +
                              " asks digipeaters for a path of its own: those copies are not "
                              "counted.");
    }
    assumptions.push_back("Airtime: each transmission keys up for the TX DELAY, then sends one "
                          "flag, the frame and one flag at 1200 baud; the tracker's tail and "
                          "the waits between packets are not counted.");

    report.referencePercent = ReferencePercent(beacons, source, statusEvery, report.txDelaySeconds);
    assumptions.push_back(
        "Reference for one station's share: a mobile every 60 s through WIDE1-1,WIDE2-1 "
        "with the same packets, " +
        Fixed(report.referencePercent, 2) + " % of the channel.");
    const AirPacket* status =
        report.packets[1].kind == PacketKind::Status ? &report.packets[1] : nullptr;
    report.rates =
        RatesOf(built, statusEvery, report.packets.front(), status, report.referencePercent);
    return report;
}

} // namespace korvel
