#pragma once

#include "air/AirReport.h"

#include <string>

namespace korvel {

// "position: 41 bytes, 347 bits on the air, 0.489 s; 3 hops, 4 copies, 1.957 s
// with the copies": one packet's figures, for the command line and the window.
std::string PacketFigures(const AirPacket& packet);

// One packet in words, for a screen reader: "Position report from NOCALL-9 to
// TURWX5 via WIDE1-1,WIDE2-2: 41 bytes, 347 bits, 0.49 seconds on the air; 4
// transmissions with the digipeaters' copies, 1.96 seconds."
std::string PacketInWords(const AirPacket& packet);

// One interval's row in words: "Speed > 125 Km/h, every 90 seconds: 40 position
// reports and 13.3 status reports an hour, 3.06 percent of the channel with the
// copies, below the one-station reference of 3.44 percent."
std::string RateInWords(const AirRate& rate, double referencePercent);

} // namespace korvel
