#include "settings/SetDefaults.h"

#include "settings/FieldTable.h"

#include <array>
#include <cassert>

namespace korvel {
namespace {

constexpr std::array kDefaultsOrder = {
    Field::edComm,         Field::edNumFlagsAuto, Field::edMsgRepeat,   Field::cbMicEMsg,
    Field::edSymbol,       Field::chkTable,       Field::chkRxPosition, Field::esSpeedTable0,
    Field::esSpeedTable1,  Field::esSpeedTable2,  Field::esSpeedTable3, Field::esSpeedTable4,
    Field::esSpeedTable5,  Field::esSpeedTable6,  Field::edManualTime,  Field::edBcnEvery,
    Field::edGpsCheckTime, Field::edGpsAcqTime,   Field::edReceiver,    Field::edMyCall,
    Field::edAprsPath,     Field::edBeacon,       Field::edDestCall,    Field::edAprsMsg,
    Field::chkAutoReply,
};
static_assert(kDefaultsOrder.size() == kFieldCount);

} // namespace

void SetDefaults(DeviceSettings& settings) {
    for (Field field : kDefaultsOrder) {
        const FieldTraits& traits = TraitsOf(field);
        const auto refused = traits.isText() ? settings.setText(field, traits.defaultText)
                                             : settings.setValue(field, traits.defaultValue);
        assert(!refused && "a factory default must fit its field");
        (void)refused;
    }
}

} // namespace korvel
