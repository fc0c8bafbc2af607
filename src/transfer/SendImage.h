#pragma once

#include "image/ConfigImage.h"
#include "transfer/ErrorReport.h"
#include "transfer/Pauses.h"
#include "transfer/ProgressView.h"
#include "transfer/SerialPort.h"
#include "transfer/TransferSession.h"

#include <string_view>

namespace korvel {

// Sends `image` to the port whose number `commText` (edComm's text) holds, in
// one blocking run of the transfer plan: the caller's thread waits in
// `pauses`. A failure is reported to `errors` (with the port closed first) and
// returned; the silent end of a port that reads as not open is only returned.
TransferResult SendImage(const ConfigImage& image, std::string_view commText, SerialPort& port,
                         Pauses& pauses, ProgressView& view, ErrorReport& errors);

} // namespace korvel
