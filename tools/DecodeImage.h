#pragma once

#include "FrameReceiver.h"
#include "settings/Field.h"

#include <string>
#include <vector>

namespace korvel::sim {

struct DecodedField {
    Field field;
    std::string value; // readable, with its unit; texts in the tracker's code page
};

struct DecodedImage {
    std::vector<DecodedField> fields; // in the field table's order
    bool gpsless = false;             // GPS timeout 0 or the GPSless interval mark
};

// Every setting read back from a configuration image, as the tracker would
// understand it: callsigns with their SSIDs, the path, the texts up to their
// terminating 0, intervals in seconds, flags. The port number is not in the
// image. The offsets are the tracker's, written here again rather than taken
// from the sender's encoders, so that the two check each other.
DecodedImage DecodeImage(const ReceivedImage& image);

} // namespace korvel::sim
