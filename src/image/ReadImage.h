#pragma once

#include "image/ConfigImage.h"
#include "settings/Result.h"
#include "settings/SettingsRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvel {

// Why an image is not one that BuildImage writes: the offset of the byte that
// no setting gives, the field whose place holds it (none for bits that no
// field owns) and why.
struct ImageReadError {
    std::size_t offset = 0;
    std::optional<Field> field;
    std::string reason;

    // "offset 2 (Mic-E msg): ..." or "offset 2: bit 7 is set, which no setting sets".
    std::string message() const;
};

// The settings that an image holds.
struct ImageSettings {
    // Each field the image holds, with the text BuildImage writes back for it
    // (numbers quantised to the tracker's steps, with leading zeros; callsigns
    // with a plain SSID, "AB-5"). The others keep their factory defaults.
    SettingsRecord settings;
    // The fields whose values the image does not hold, in field order: Comm num
    // always, the GPS acquisition interval in GPSless mode.
    std::vector<Field> notHeld;
};

// Reads the settings back from an image, walking the field table's image places
// as BuildImage writes them. Building the settings read gives the same image
// again. Fails at the first byte that no setting can give.
Result<ImageSettings, ImageReadError> ReadImage(const ConfigImage& image);

} // namespace korvel
