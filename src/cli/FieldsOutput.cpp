#include "cli/FieldsOutput.h"

#include "settings/CodePage.h"
#include "settings/ControlBytes.h"
#include "settings/FieldTable.h"

namespace korvel::cli {
namespace {

std::string Escaped(std::string_view text) {
    std::string doubled;
    for (const char c : text) {
        doubled += c;
        if (c == '\\') {
            doubled += c;
        }
    }
    return EscapeControlBytes(doubled);
}

} // namespace

std::string FieldText(const DeviceSettings& settings, const FieldTraits& traits) {
    return traits.isText() ? Escaped(CodePageToUtf8(settings.text(traits.field)))
                           : std::to_string(settings.value(traits.field));
}

void PrintFields(std::ostream& out, const DeviceSettings& settings) {
    for (const FieldTraits& traits : AllFields()) {
        out << traits.name << '=' << FieldText(settings, traits) << '\n';
    }
}

} // namespace korvel::cli
