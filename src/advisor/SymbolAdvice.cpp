#include "advisor/AdviceRules.h"
#include "advisor/AprsSymbols.h"
#include "settings/FieldRule.h"

namespace korvel::advice {

// A symbol the APRS symbols list leaves unassigned shows as no known icon; one
// that is not among its "just mobile" symbols makes a moving tracker look like
// a fixed station. In GPSless mode the tracker stands still.
void Symbol(const DeviceSettings& settings, Findings& out) {
    const std::string text = settings.text(Field::edSymbol);
    if (text.empty()) {
        return; // the build refuses it
    }
    const char table =
        settings.value(Field::chkTable) != 0 ? kAlternateSymbolTable : kPrimarySymbolTable;
    const char code = text.front();
    const AprsSymbol* symbol = FindSymbol(table, code);
    const std::string described = DescribeSymbol(table, code);
    if (symbol == nullptr || !symbol->assigned()) {
        out.push_back(Make(Field::edSymbol, Severity::Warning,
                           described + ", so other stations show no known icon: pick a symbol "
                                       "from the field's menu."));
        return;
    }
    const bool moving = NumericValue(settings.text(Field::edGpsAcqTime)) != 0;
    if (moving && !symbol->mobile) {
        out.push_back(Make(Field::edSymbol, Severity::Note,
                           described + ", not a mobile symbol, so maps show the moving tracker "
                                       "as a fixed station: pick one of the Vehicles."));
    }
}

} // namespace korvel::advice
