// Times what the "On the air" view computes on every key press: the packets,
// their airtime and the table of intervals for the factory defaults, as one
// call of BuildAirReport. Prints the median time of one call beside the goal.

#include "Median.h"
#include "air/AirReport.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSamples = 201;
constexpr int kCallsPerSample = 200;
constexpr double kGoalMicroseconds = 50;

} // namespace

int main() {
    using Clock = std::chrono::steady_clock;
    korvel::SettingsRecord settings;
    korvel::SetDefaults(settings);
    const korvel::SamplePosition sample;

    int failures = 0;
    long bits = 0; // keeps the reports from being optimised away
    std::vector<double> perCall_us;
    perCall_us.reserve(kSamples);
    for (int round = 0; round < kSamples; ++round) {
        const auto start = Clock::now();
        for (int call = 0; call < kCallsPerSample; ++call) {
            const auto report = korvel::BuildAirReport(settings, sample);
            if (!report) {
                ++failures;
                continue;
            }
            bits += report->packets.front().bitsOnAir + static_cast<long>(report->rates.size());
        }
        const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
        perCall_us.push_back(elapsed.count() / kCallsPerSample);
    }
    if (failures != 0) {
        std::fprintf(stderr, "BuildAirReport failed on the factory defaults\n");
        return 1;
    }

    const double median = korvel::bench::Median(perCall_us);
    const auto [min, max] = std::minmax_element(perCall_us.begin(), perCall_us.end());
    std::printf("BuildAirReport (packets + table) on the factory defaults: median %.3f us per "
                "call, goal under %.0f us (median/goal = %.3f)\n",
                median, kGoalMicroseconds, median / kGoalMicroseconds);
    std::printf("  min %.3f, max %.3f; %d samples of %d calls (bits %ld)\n", *min, *max, kSamples,
                kCallsPerSample, bits % 1000);
    return 0;
}
