// Times BuildImage on the factory defaults and prints the median time of one
// call. The defaults build without changing any field, so every call does the
// same work.

#include "image/BuildImage.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSamples = 201;
constexpr int kCallsPerSample = 1000;

} // namespace

int main() {
    using Clock = std::chrono::steady_clock;
    korvel::SettingsRecord settings;
    korvel::SetDefaults(settings);
    korvel::ConfigImage image{};

    int failures = 0;
    std::vector<double> perCall_us;
    perCall_us.reserve(kSamples);
    for (int sample = 0; sample < kSamples; ++sample) {
        const auto start = Clock::now();
        for (int call = 0; call < kCallsPerSample; ++call) {
            failures += korvel::BuildImage(settings, image).success ? 0 : 1;
        }
        const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
        perCall_us.push_back(elapsed.count() / kCallsPerSample);
    }
    if (failures != 0) {
        std::fprintf(stderr, "BuildImage failed on the factory defaults\n");
        return 1;
    }

    std::sort(perCall_us.begin(), perCall_us.end());
    std::printf("BuildImage on the factory defaults: median %.3f us per call "
                "(min %.3f, max %.3f; %d samples of %d calls)\n",
                perCall_us[kSamples / 2], perCall_us.front(), perCall_us.back(), kSamples,
                kCallsPerSample);
    return 0;
}
