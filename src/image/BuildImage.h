#pragma once

#include "image/ConfigImage.h"
#include "settings/DeviceSettings.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvel {

// What the operator is told when the build fails.
inline constexpr const char* kBuildRefused = "Parametri incompleti o non corretti";

struct BuildResult {
    bool success() const { return !error; }
    // Why the build failed, naming the field; nothing on success.
    std::optional<FieldError> error;
    // GPSless mode as the build found it, once it got that far: the window
    // colours its two GPSless notes by it, and keeps their colour otherwise.
    std::optional<bool> gpslessMode;
};

// Checks and normalises the settings, writes the normalised texts back into the
// fields and packs them into `image`. Stops at the first failure: what was
// written before it (image bytes, fields) stays.
BuildResult BuildImage(DeviceSettings& settings, ConfigImage& image);

// The interval in seconds that an interval field's text gives the tracker:
// raised to the least interval and rounded to its steps of 10 s as the build
// does ("005" gives 10, "055" gives 60).
long IntervalAsSent(std::string_view text);

// The key-up delay that the TX delay byte of the image stands for, unrounded:
// the byte counts steps of 20/3 ms (30 gives 200 ms, 7 gives 46.67 ms).
double TxDelayMilliseconds(std::uint8_t stored);

} // namespace korvel
