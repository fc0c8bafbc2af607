#pragma once

#include "settings/FieldTable.h"

namespace korvel {

// Where the settings stand in a settings file: each row of the field table
// gives its line, its place on the line, the group Load applies it with and
// how it is written (FilePlace); SavedFields() lists them in file order. Today
// that is 22 values on 9 lines, the GPS acquisition interval (edGpsCheckTime)
// left out:
//
// Line 1: edComm, edNumFlagsAuto, edMsgRepeat, 16 x chkAutoReply + cbMicEMsg,
//         edSymbol, chkTable
// Lines 2 to 8: esSpeedTable(0) to esSpeedTable(6), one a line
// Line 9: edManualTime, edBcnEvery + 128 x chkRxPosition, then the texts
//         edGpsAcqTime, edReceiver, edMyCall, edAprsPath, edBeacon, edDestCall,
//         edAprsMsg
//
// This header keeps how the two packed numbers are made.

// FileCodec::MessageFlags: bit 4 is the auto-reply box, bits 0 to 3 the Mic-E
// index; written as the sum 16 x box + index, so -1 or 15 when no entry is
// selected.
inline constexpr int kAutoReplyBit = 16;
inline constexpr int kMicEIndexMask = 15;
inline constexpr int kNoMicEEntry = -1;
// FileCodec::StatusRate: bit 7 is chkRxPosition, bits 0 to 6 the status-text
// interval.
inline constexpr int kRxPositionBit = 128;
inline constexpr int kStatusIntervalMask = 127;

} // namespace korvel
