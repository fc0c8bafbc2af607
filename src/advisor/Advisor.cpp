#include "advisor/Advisor.h"

#include "advisor/AdviceRules.h"
#include "advisor/SentAddress.h"
#include "settings/FieldTable.h"

#include <algorithm>

namespace korvel {

std::string_view SeverityName(Severity severity) {
    return severity == Severity::Warning ? "warning" : "note";
}

namespace advice {

Finding Make(Field field, Severity severity, std::string message) {
    return {field, CaptionOf(field), severity, std::move(message)};
}

} // namespace advice

Findings Advise(const DeviceSettings& settings) {
    Findings findings;
    for (auto rules : {advice::Callsigns, advice::Path, advice::Alarms, advice::Texts,
                       advice::Timing, advice::Symbol}) {
        rules(settings, findings);
    }
    std::ranges::stable_sort(findings, {}, [](const Finding& f) { return FieldIndex(f.field); });
    return findings;
}

bool IsPlaceholderCallsign(std::string_view text) {
    std::string callsign = SentAddressOf(text).callsign;
    std::ranges::transform(callsign, callsign.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
    return callsign == "NOCALL" || callsign == "N0CALL";
}

bool HasWarning(const Findings& findings) {
    return std::ranges::any_of(findings,
                               [](const Finding& f) { return f.severity == Severity::Warning; });
}

} // namespace korvel
