#pragma once

#include "settings/Field.h"

#include <array>
#include <cstddef>

namespace korvel {

// Where the settings stand in a settings file: 22 values on 9 lines, written
// by WriteSettingsFile and read back by ApplySettingsFile in the same order.
// The GPS acquisition interval (edGpsCheckTime) is the one field it leaves out.
//
// Line 1: edComm, edNumFlagsAuto, edMsgRepeat, 16 x chkAutoReply + cbMicEMsg,
//         edSymbol, chkTable
// Lines 2 to 8: esSpeedTable(0) to esSpeedTable(6), one a line
// Line 9: edManualTime, edBcnEvery + 128 x chkRxPosition, then the texts below

inline constexpr std::size_t kFileValueCount = 22;
inline constexpr std::size_t kFileLine1Values = 6;

// The texts of line 9 that follow its packed number.
inline constexpr std::array kFileLine9Texts = {
    Field::edGpsAcqTime, Field::edReceiver, Field::edMyCall,  Field::edAprsPath,
    Field::edBeacon,     Field::edDestCall, Field::edAprsMsg,
};

inline constexpr std::size_t kFileLine9Values = 2 + kFileLine9Texts.size();
static_assert(kFileLine1Values + kSpeedBands + kFileLine9Values == kFileValueCount);

// The setting of each value, in file order; a packed number by its first setting.
inline constexpr std::array<Field, kFileValueCount> kFileOrder = {
    Field::edComm,        Field::edNumFlagsAuto, Field::edMsgRepeat,   Field::cbMicEMsg,
    Field::edSymbol,      Field::chkTable,       Field::esSpeedTable0, Field::esSpeedTable1,
    Field::esSpeedTable2, Field::esSpeedTable3,  Field::esSpeedTable4, Field::esSpeedTable5,
    Field::esSpeedTable6, Field::edManualTime,   Field::edBcnEvery,    Field::edGpsAcqTime,
    Field::edReceiver,    Field::edMyCall,       Field::edAprsPath,    Field::edBeacon,
    Field::edDestCall,    Field::edAprsMsg,
};

// Line 1, value 4: bit 4 is the auto-reply box, bits 0 to 3 the Mic-E index;
// written as the sum 16 x box + index, so -1 or 15 when no entry is selected.
inline constexpr int kAutoReplyBit = 16;
inline constexpr int kMicEIndexMask = 15;
inline constexpr int kNoMicEEntry = -1;
// Line 9, value 2: bit 7 is chkRxPosition, bits 0 to 6 the status-text interval.
inline constexpr int kRxPositionBit = 128;
inline constexpr int kStatusIntervalMask = 127;

} // namespace korvel
