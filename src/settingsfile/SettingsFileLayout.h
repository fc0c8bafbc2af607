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
// The two packed numbers are the image's bytes 2 and 15, made the same way:
// the places of the field table's rows (kMicEIndexPlace and the others in
// FieldTraits.h) give their bits.

// FileCodec::MessageFlags: the auto-reply box above the Mic-E index, written
// as the sum 16 x box + index, so -1 or 15 when no entry is selected.
inline constexpr int kAutoReplyBit = 1 << kAutoReplyPlace.firstBit;
inline constexpr int kMicEIndexMask = static_cast<int>(kMicEIndexPlace.highestInBits());
inline constexpr int kNoMicEEntry = -1;
// FileCodec::StatusRate: chkRxPosition above the status-text interval.
inline constexpr int kRxPositionBit = 1 << kRxPositionPlace.firstBit;
inline constexpr int kStatusIntervalMask = static_cast<int>(kStatusRatePlace.highestInBits());

} // namespace korvel
