// Reader throughput on generated settings files of 1 MB and 2 MB: the median of
// several runs, in MB/s, and the 2 MB / 1 MB time ratio (about 2 when reading
// is linear).

#include "Median.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "settingsfile/ApplySettingsFile.h"
#include "settingsfile/SettingsFileReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using korvel::bench::Median;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 31;
constexpr std::size_t kMegabyte = 1024 * 1024;

// Lines of the kind Save writes, repeated up to `size` bytes: quoted texts with
// commas and double quotes inside, numbers, spaces.
std::string GeneratedFile(std::size_t size) {
    const std::string lines =
        "\"1\",\"200\",\"006\",21,\">\",0\r\n"
        "\"0480\"\r\n"
        "\"0120\",3,\"025\",\"QKORVL\",\"NOCALL-9\",\"WIDE1-1,WIDE2-2\","
        "\"say \"\"hi\"\" now\",\"NOCALL\",\"Message sent using Korvel!\"\r\n";
    std::string file;
    file.reserve(size + lines.size());
    while (file.size() < size) {
        file += lines;
    }
    file.resize(size);
    return file;
}

// One file of `size` bytes whose first value is a single quoted text.
std::string OneLongValue(std::size_t size) {
    return "\"" + std::string(size - 2, 'A') + "\"";
}

std::size_t ReadEveryValue(const std::string& file) {
    korvel::SettingsFileReader reader(file);
    std::size_t values = 0;
    while (reader.next().has_value()) {
        ++values;
    }
    return values;
}

template <typename Work>
void Measure(const char* what, std::string (*generate)(std::size_t), Work work) {
    const std::string one = generate(kMegabyte);
    const std::string two = generate(2 * kMegabyte);
    // The two sizes take turns, so that a change in the machine's load touches both.
    std::vector<double> times1;
    std::vector<double> times2;
    std::size_t sink = work(one) + work(two); // warm the caches and the allocator
    for (int run = 0; run < kRuns; ++run) {
        for (auto* times : {&times1, &times2}) {
            const std::string& file = times == &times1 ? one : two;
            const auto start = Clock::now();
            sink += work(file);
            times->push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    const double t1 = Median(times1);
    const double t2 = Median(times2);
    std::printf("%-34s 1 MB: %8.3f ms %8.1f MB/s   2 MB: %8.3f ms %8.1f MB/s   ratio 2MB/1MB: %.2f"
                "   (%zu)\n",
                what, t1 * 1e3, 1 / t1, t2 * 1e3, 2 / t2, t2 / t1, sink % 10);
}

} // namespace

int main() {
    std::printf("settings-file reader, median of %d runs\n", kRuns);
    Measure("read every value (lines as saved)", GeneratedFile, ReadEveryValue);
    Measure("apply, one long quoted value", OneLongValue, [](const std::string& file) {
        korvel::SettingsRecord settings;
        korvel::SetDefaults(settings);
        return korvel::ApplySettingsFile(file, settings) ? std::size_t{0} : std::size_t{1};
    });
    return 0;
}
