#include "advisor/PathAdvice.h"

#include "advisor/AdviceRules.h"
#include "advisor/SentAddress.h"
#include "image/PutCallsign.h"

#include <algorithm>
#include <optional>

namespace korvel {
namespace {

// The paths of the New-N paradigm (2004-2005): WIDE1-1 asks fill-in
// digipeaters for the first hop and belongs first; WIDEn-N and the state or
// section routes XXn-N ask for N more hops (N counts down as they are used).
constexpr int kMostHops = 3; // WIDE1-1,WIDE2-2, the longest sound path
constexpr int kHighestN = 2; // an alias asking 3 hops or more floods the channel
constexpr const char* kSoundPaths = "use WIDE1-1,WIDE2-1, or WIDE1-1,WIDE2-2 in open country";

bool IsCapitals(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return c >= 'A' && c <= 'Z'; });
}

// n of a New-N alias (WIDEn-N, or a state or section route such as CA2-2),
// 0 for any other address.
int NewNNumber(const SentAddress& address) {
    const std::string& c = address.callsign;
    if (c.size() < 3 || c.back() < '1' || c.back() > '9') {
        return 0;
    }
    const std::string_view name = std::string_view(c).substr(0, c.size() - 1);
    const bool route =
        name == "WIDE" || ((name.size() == 2 || name.size() == 3) && IsCapitals(name));
    return route ? c.back() - '0' : 0;
}

// RELAY, WIDE without n, TRACE and TRACEn-N are no longer served.
bool IsObsoleteAlias(const SentAddress& address) {
    const std::string& c = address.callsign;
    const bool traceN = c.size() == 6 && c.starts_with("TRACE") && c[5] >= '1' && c[5] <= '7';
    return c == "RELAY" || c == "WIDE" || c == "TRACE" || traceN;
}

// RFONLY and NOGATE keep a packet off the internet; no digipeater answers them.
bool IsGateStop(const SentAddress& address) {
    return address.callsign == "RFONLY" || address.callsign == "NOGATE";
}

// Markers of the internet side of the network, never part of a radio path.
bool IsInternetMarker(const SentAddress& address) {
    // The "*" that marks a used address on the internet side is part of the marker.
    std::string_view c = address.callsign;
    if (c.ends_with('*')) {
        c.remove_suffix(1);
    }
    return c == "TCPIP" || c == "TCPXX" || c.starts_with("QA") || c.starts_with("qA");
}

bool IsWide1Hop(const SentAddress& address) {
    return address.callsign == "WIDE1" && address.ssid == 1;
}

// The hops one address asks for, or nothing when no digipeater answers it: a
// New-N alias with no hop left (WIDE2), an obsolete alias, a gate stop or an
// internet marker. Any other address names one digipeater: one hop.
std::optional<int> AddressHops(const SentAddress& address) {
    if (NewNNumber(address) != 0) {
        return address.ssid == 0 ? std::nullopt : std::optional<int>(address.ssid);
    }
    if (IsObsoleteAlias(address) || IsGateStop(address) || IsInternetMarker(address)) {
        return std::nullopt;
    }
    return 1;
}

// Digipeaters work through the path in order, so an address none answers ends
// the hops: what follows it is never used.
int ServedHops(const std::vector<SentPathAddress>& path) {
    int hops = 0;
    for (const SentPathAddress& address : path) {
        const std::optional<int> asked = AddressHops(address.sent);
        if (!asked) {
            break;
        }
        hops += *asked;
    }
    return hops;
}

std::string HopsInWords(int hops) {
    return std::to_string(hops) + (hops == 1 ? " hop" : " hops");
}

} // namespace

int PathHops(std::string_view path) {
    return ServedHops(SentPathOf(path));
}

namespace advice {

bool IsPathAlias(const SentAddress& address) {
    return NewNNumber(address) != 0 || IsObsoleteAlias(address) || IsGateStop(address) ||
           IsInternetMarker(address);
}

namespace {

void Warn(Findings& out, std::string message) {
    out.push_back(Make(Field::edAprsPath, Severity::Warning, std::move(message)));
}

// One address: its shape, and whether digipeaters still serve it.
void PathAddress(const SentPathAddress& address, std::size_t index, std::size_t count,
                 Findings& out) {
    const std::string onAir = Named(address.sent);
    const auto problem = AddressProblem(address.typed);
    if (problem) {
        Warn(out, "The tracker will send " + onAir + " (" + *problem + "): " + kSoundPaths + ".");
    }
    if (IsObsoleteAlias(address.sent)) {
        Warn(out, onAir +
                      " is an obsolete alias that digipeaters no longer serve, so packets "
                      "may go nowhere: " +
                      kSoundPaths + ".");
    }
    if (!problem && NewNNumber(address.sent) != 0 && address.sent.ssid == 0) {
        Warn(out, onAir +
                      " has no hop left (its -N is 0 or missing), so no digipeater repeats it: "
                      "give the hops as -N, " +
                      kSoundPaths + ".");
    }
    if (IsGateStop(address.sent) && index + 1 < count) {
        Warn(out, onAir +
                      " before other addresses stops every digipeater, so the packet is never "
                      "repeated: put " +
                      onAir + " last, where it only keeps the packet off the internet.");
    }
    if (IsInternetMarker(address.sent)) {
        Warn(out, onAir +
                      " marks packets that came from the internet and never belongs in a radio "
                      "path: gates do not pass such packets and no digipeater repeats them: " +
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

// The hops the path asks for, counted as the tooltip counts them; an alias
// that alone asks for 3 hops or more floods wherever it is heard.
void HopCount(const std::vector<SentPathAddress>& path, Findings& out) {
    int highestN = 0;
    for (const SentPathAddress& address : path) {
        if (NewNNumber(address.sent) != 0) {
            highestN = std::max(highestN, address.sent.ssid);
        }
    }
    const int hops = ServedHops(path);
    if (hops > kMostHops || highestN > kHighestN) {
        Warn(out, PathOnAir(path) + " asks for " + HopsInWords(hops) +
                      ", which floods the channel and which many digipeaters cut: " + kSoundPaths +
                      ".");
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
        PathAddress(path[i], i, path.size(), out);
    }
    UnsentAddresses(settings.text(Field::edAprsPath), out);
    HopCount(path, out);
}

} // namespace advice
} // namespace korvel
