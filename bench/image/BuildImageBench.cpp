// Times what one SEND computes before it touches the port: BuildImage on the
// factory defaults and the two frames cut from the image, as one operation.
// Prints the median time of one call beside the goal. The defaults build
// without changing any field, so every call does the same work.

#include "Median.h"
#include "image/BuildImage.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "transfer/Frames.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSamples = 201;
constexpr int kCallsPerSample = 1000;
constexpr double kGoalMicroseconds = 20;

} // namespace

int main() {
    using Clock = std::chrono::steady_clock;
    korvel::SettingsRecord settings;
    korvel::SetDefaults(settings);
    korvel::ConfigImage image{};

    int failures = 0;
    unsigned checksums = 0; // keeps the frames from being optimised away
    std::vector<double> perCall_us;
    perCall_us.reserve(kSamples);
    for (int sample = 0; sample < kSamples; ++sample) {
        const auto start = Clock::now();
        for (int call = 0; call < kCallsPerSample; ++call) {
            failures += korvel::BuildImage(settings, image).success() ? 0 : 1;
            const korvel::TransferFrames frames = korvel::BuildFrames(image);
            checksums += frames.a.back() + frames.b.back();
        }
        const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
        perCall_us.push_back(elapsed.count() / kCallsPerSample);
    }
    if (failures != 0) {
        std::fprintf(stderr, "BuildImage failed on the factory defaults\n");
        return 1;
    }

    const double median = korvel::bench::Median(perCall_us);
    const auto [min, max] = std::minmax_element(perCall_us.begin(), perCall_us.end());
    std::printf("BuildImage + both frames on the factory defaults: median %.3f us per call, "
                "goal under %.0f us (median/goal = %.3f)\n",
                median, kGoalMicroseconds, median / kGoalMicroseconds);
    std::printf("  min %.3f, max %.3f; %d samples of %d calls (frame checksums %u)\n", *min, *max,
                kSamples, kCallsPerSample, checksums % 256);
    return 0;
}
