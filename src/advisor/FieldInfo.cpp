#include "advisor/FieldInfo.h"

#include "advisor/AprsPosition.h"
#include "advisor/AprsSymbols.h"
#include "advisor/PathAdvice.h"
#include "image/BuildImage.h"
#include "image/PutCallsign.h"
#include "settings/FieldRule.h"

#include <cstdio>

namespace korvel {
namespace {

constexpr double kSecondsAnHour = 3600.0;

bool IsInterval(Field field) {
    return field == Field::edManualTime || (FieldIndex(field) >= FieldIndex(Field::esSpeedTable0) &&
                                            FieldIndex(field) <= FieldIndex(Field::esSpeedTable6));
}

std::string BeaconsAnHour(std::string_view text) {
    const double beacons = kSecondsAnHour / static_cast<double>(IntervalAsSent(text));
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.*f", beacons == static_cast<long>(beacons) ? 0 : 1,
                  beacons);
    return std::string(figure) + (beacons == 1.0 ? " beacon an hour" : " beacons an hour");
}

std::string Hops(std::string_view path) {
    const int hops = PathHops(path);
    if (hops == 0) {
        return TrimSpaces(path).empty()
                   ? "No digipeater hop: heard in direct range only"
                   : "No digipeater hop: no digipeater repeats this path, so it is heard in "
                     "direct range only";
    }
    return std::to_string(hops) + (hops == 1 ? " digipeater hop" : " digipeater hops");
}

// In GPSless mode the status text is the position the tracker sends: the
// position in words, so the operator can check it.
std::string GpslessPosition(const DeviceSettings& settings) {
    if (NumericValue(settings.text(Field::edGpsAcqTime)) != 0) {
        return {};
    }
    const auto position = FindStatusPosition(settings.text(Field::edBeacon));
    if (!position) {
        return {}; // the warning says what is wrong
    }
    return "GPSless position: " + PositionInWords(*position) + ", symbol " +
           DescribeSymbol(position->table, position->symbol);
}

} // namespace

std::string FieldInfo(const DeviceSettings& settings, Field field) {
    if (field == Field::edSymbol || field == Field::chkTable) {
        const std::string symbol = settings.text(Field::edSymbol);
        if (symbol.empty()) {
            return {};
        }
        const bool alternate = settings.value(Field::chkTable) != 0;
        return DescribeSymbol(alternate ? kAlternateSymbolTable : kPrimarySymbolTable,
                              symbol.front());
    }
    if (field == Field::edBeacon) {
        return GpslessPosition(settings);
    }
    if (field == Field::edAprsPath) {
        return Hops(settings.text(field));
    }
    if (IsInterval(field)) {
        return BeaconsAnHour(settings.text(field));
    }
    return {};
}

std::string WithSsid(std::string_view callsign, int ssid) {
    const std::string_view trimmed = TrimSpaces(callsign);
    const std::size_t dash = trimmed.empty() ? std::string_view::npos : trimmed.find('-', 1);
    std::string text(trimmed.substr(0, dash));
    if (ssid != 0) {
        text += "-" + std::to_string(ssid);
    }
    return text;
}

} // namespace korvel
