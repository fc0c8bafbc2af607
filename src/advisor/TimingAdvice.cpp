#include "advisor/AdviceRules.h"
#include "image/BuildImage.h"

namespace korvel::advice {

// A 1200-baud APRS channel carries about 60 packets a minute for every station
// in range together, and each hop repeats a packet again: a moving station
// should beacon no more often than once a minute (beacon etiquette of the APRS
// network, as its internet servers' tools apply it).
inline constexpr long kShortestBeaconInterval = 60;

void Timing(const DeviceSettings& settings, Findings& out) {
    std::vector<Field> intervals = {Field::edManualTime};
    for (std::size_t band = 0; band < kSpeedBands; ++band) {
        intervals.push_back(SpeedTableField(band));
    }
    for (Field field : intervals) {
        const long seconds = IntervalAsSent(settings.text(field));
        if (seconds < kShortestBeaconInterval) {
            out.push_back(Make(field, Severity::Warning,
                               "The tracker will beacon every " + std::to_string(seconds) +
                                   " seconds, more than a shared channel carries for one "
                                   "station: set at least 60 seconds."));
        }
    }
}

} // namespace korvel::advice
