// bench-transfer-timeline: sends transfers with the blocking runner to the
// simulated tracker and compares when each write arrived with the plan.

#include "Median.h"
#include "SimulatedTracker.h"
#include "image/BuildImage.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "transfer/QtSerialPort.h"
#include "transfer/SendImage.h"
#include "transfer/TransferPlan.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using korvel::bench::Median;

namespace {

using namespace korvel;

constexpr int kTransfers = 9;

// When each write should happen, in ms from the first, by the plan's pauses.
std::vector<double> PlannedWrites() {
    std::vector<double> offsets;
    double now = 0;
    for (const PlanStep& step : kTransferPlan) {
        now += static_cast<double>(step.pause.count());
        if (step.action == Action::WriteMarker || step.action == Action::WriteFrameA ||
            step.action == Action::WriteFrameB) {
            offsets.push_back(now);
        }
    }
    const double first = offsets.front();
    for (double& offset : offsets) {
        offset -= first;
    }
    return offsets;
}

class Silent final : public ProgressView, public ErrorReport {
public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }
    void setOkVisible(bool) override {}
    void showDialog() override {}
    void report(const std::string& message) override {
        std::fprintf(stderr, "transfer failed: %s\n", message.c_str());
    }

private:
    std::string text_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    SettingsRecord settings;
    SetDefaults(settings);
    ConfigImage image{};
    BuildImage(settings, image);

    bench::SimulatedTracker tracker(kTransfers);
    for (int i = 0; i < kTransfers; ++i) {
        QtSerialPort port(tracker.folder());
        SleepingPauses pauses;
        Silent view;
        SendImage(image, "1", port, pauses, view, view);
    }
    const std::vector<double> planned = PlannedWrites();
    const QList<QList<double>> transfers = tracker.bursts();
    std::vector<std::vector<double>> deviations(planned.size());
    double worst = 0;
    for (const QList<double>& bursts : transfers) {
        if (static_cast<std::size_t>(bursts.size()) != planned.size()) {
            std::printf("a transfer arrived in %lld bursts instead of %zu\n",
                        static_cast<long long>(bursts.size()), planned.size());
            continue;
        }
        for (std::size_t w = 0; w < planned.size(); ++w) {
            const double deviation = bursts[static_cast<qsizetype>(w)] - planned[w];
            deviations[w].push_back(deviation);
            worst = std::max(worst, std::abs(deviation));
        }
    }
    std::printf("transfer timeline against the plan, %lld transfers through a pseudo-terminal\n",
                static_cast<long long>(transfers.size()));
    const char* names[] = {"marker A", "frame A", "marker B", "frame B"};
    for (std::size_t w = 0; w < planned.size() && !deviations[w].empty(); ++w) {
        std::printf("  write %zu (%-8s) planned +%6.1f ms, median deviation %+.2f ms\n", w + 1,
                    names[w], planned[w], Median(deviations[w]));
    }
    std::printf("largest deviation of any write: %.2f ms (target within 5 ms)\n", worst);
    return 0;
}
