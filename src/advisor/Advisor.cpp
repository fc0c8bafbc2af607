#include "advisor/Advisor.h"

#include "advisor/AdviceRules.h"
#include "advisor/SentAddress.h"
#include "image/BuildImage.h"
#include "settings/FieldTable.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <optional>

namespace korvel {

std::string_view SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        break;
    }
    return "note";
}

namespace advice {

std::string Named(const SentAddress& address) {
    return address.callsign.empty() ? "a blank address" : address.onAir();
}

std::optional<char> ControlByte(std::string_view text) {
    const auto at = std::ranges::find_if(text, [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code < 32 || code == 127;
    });
    return at == text.end() ? std::nullopt : std::optional<char>(*at);
}

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

namespace {

// What BuildImage says of the settings, on a copy of them: it writes the
// normalised texts back into the fields it reads.
std::optional<FieldError> SendRefusal(const DeviceSettings& settings) {
    SettingsRecord copy;
    for (const Field field : DefaultsOrder()) {
        const auto set = TraitsOf(field).isText() ? copy.setText(field, settings.text(field))
                                                  : copy.setValue(field, settings.value(field));
        if (!set) {
            return set.error();
        }
    }
    ConfigImage image;
    return BuildImage(copy, image).error;
}

} // namespace

Findings AdviseBeforeSend(const DeviceSettings& settings) {
    Findings findings = Advise(settings);
    if (const auto refusal = SendRefusal(settings)) {
        findings.insert(findings.begin(),
                        advice::Make(refusal->field, Severity::Error,
                                     "SEND refuses the settings: " + refusal->reason + "."));
    }
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
                               [](const Finding& f) { return f.severity != Severity::Note; });
}

bool HasError(const Findings& findings) {
    return std::ranges::any_of(findings,
                               [](const Finding& f) { return f.severity == Severity::Error; });
}

} // namespace korvel
