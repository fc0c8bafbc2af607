#include "advisor/PathAdvice.h"

#include "advisor/AdviceRules.h"
#include "advisor/SentAddress.h"
#include "image/PutCallsign.h"

#include <algorithm>

namespace korvel {
namespace {

// The paths of the New-N paradigm (2004-2005): WIDE1-1 asks fill-in
// digipeaters for the first hop and belongs first; WIDEn-N asks for N hops.
constexpr int kMostHops = 3; // WIDE1-1,WIDE2-2, the longest sound path
constexpr int kHighestN = 2; // WIDE3-3 and up flood the channel
constexpr const char* kSoundPaths = "use WIDE1-1,WIDE2-1, or WIDE1-1,WIDE2-2 in open country";

// n of WIDEn-N (1 to 7), or 0 when the address is no WIDEn.
int WideNumber(const SentAddress& address) {
    const std::string& c = address.callsign;
    return c.size() == 5 && c.starts_with("WIDE") && c[4] >= '1' && c[4] <= '7' ? c[4] - '0' : 0;
}

int Hops(const SentAddress& address) {
    return WideNumber(address) != 0 ? address.ssid : 1;
}

// RELAY, WIDE without n, TRACE and TRACEn-N are no longer served.
bool IsObsoleteAlias(const SentAddress& address) {
    const std::string& c = address.callsign;
    const bool traceN = c.size() == 6 && c.starts_with("TRACE") && c[5] >= '1' && c[5] <= '7';
    return c == "RELAY" || c == "WIDE" || c == "TRACE" || traceN;
}

bool IsWide1Hop(const SentAddress& address) {
    return address.callsign == "WIDE1" && address.ssid == 1;
}

} // namespace

int PathHops(std::string_view path) {
    int hops = 0;
    for (const SentPathAddress& address : SentPathOf(path)) {
        hops += Hops(address.sent);
    }
    return hops;
}

namespace advice {
namespace {

void Warn(Findings& out, std::string message) {
    out.push_back(Make(Field::edAprsPath, Severity::Warning, std::move(message)));
}

// One address: its shape, and whether digipeaters still serve it.
void PathAddress(const SentPathAddress& address, std::size_t index, Findings& out) {
    const std::string onAir = address.sent.onAir();
    if (const auto problem = AddressProblem(address.typed)) {
        Warn(out, "The tracker will send " + onAir + " (" + *problem + "): " + kSoundPaths + ".");
    }
    if (IsObsoleteAlias(address.sent)) {
        Warn(out, onAir +
                      " is an obsolete alias that digipeaters no longer serve, so packets "
                      "may go nowhere: " +
                      kSoundPaths + ".");
    }
    if (index > 0 && IsWide1Hop(address.sent)) {
        Warn(out, "WIDE1-1 works only as the first address, where it asks fill-in digipeaters "
                  "for the first hop: " +
                      std::string(kSoundPaths) + ".");
    }
}

// The tracker holds two addresses: what follows a second comma is not sent.
void UnsentAddresses(std::string_view path, Findings& out) {
    const std::string_view trimmed = TrimSpaces(path);
    const std::size_t first = trimmed.find(',');
    const std::size_t second =
        first == std::string_view::npos ? first : trimmed.find(',', first + 1);
    if (second != std::string_view::npos) {
        Warn(out, "The tracker holds two addresses and does not send what follows the second "
                  "comma (" +
                      std::string(TrimSpaces(trimmed.substr(second + 1))) +
                      "): give at most two addresses.");
    }
}

void HopCount(const std::vector<SentPathAddress>& path, Findings& out) {
    int hops = 0;
    int highestN = 0;
    for (const SentPathAddress& address : path) {
        hops += Hops(address.sent);
        highestN = std::max(highestN, WideNumber(address.sent));
    }
    if (hops > kMostHops || highestN > kHighestN) {
        Warn(out, PathOnAir(path) + " asks for " + std::to_string(hops) +
                      " hops, which floods the channel and which many digipeaters cut: " +
                      kSoundPaths + ".");
    }
}

} // namespace

void Path(const DeviceSettings& settings, Findings& out) {
    const std::vector<SentPathAddress> path = SentPathOf(settings.text(Field::edAprsPath));
    if (path.empty()) {
        out.push_back(Make(Field::edAprsPath, Severity::Note,
                           "With no path only stations and gateways in direct range hear the "
                           "tracker: for a mobile, " +
                               std::string(kSoundPaths) + "."));
        return;
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
        PathAddress(path[i], i, out);
    }
    UnsentAddresses(settings.text(Field::edAprsPath), out);
    HopCount(path, out);
}

} // namespace advice
} // namespace korvel
