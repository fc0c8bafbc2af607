#pragma once

#include <cstddef>

namespace korvel {

// Every setting of the tracker, named after the control of the main window
// that holds it, in the order of the field table (FieldTable.cpp).
enum class Field {
    edNumFlagsAuto,
    edSymbol,
    chkTable,
    edMyCall,
    edBcnEvery,
    edAprsPath,
    edBeacon,
    cbMicEMsg,
    chkRxPosition,
    edManualTime,
    edGpsCheckTime,
    edGpsAcqTime,
    esSpeedTable0,
    esSpeedTable1,
    esSpeedTable2,
    esSpeedTable3,
    esSpeedTable4,
    esSpeedTable5,
    esSpeedTable6,
    edReceiver,
    edMsgRepeat,
    edDestCall,
    edAprsMsg,
    chkAutoReply,
    edComm,
};

inline constexpr std::size_t kFieldCount = 25;
inline constexpr std::size_t kSpeedBands = 7;

// Element `index` (0 to 6) of the speed table esSpeedTable.
constexpr Field SpeedTableField(std::size_t index) {
    return static_cast<Field>(static_cast<std::size_t>(Field::esSpeedTable0) + index);
}

constexpr std::size_t FieldIndex(Field field) {
    return static_cast<std::size_t>(field);
}

} // namespace korvel
