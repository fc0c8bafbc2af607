// bench-transfer-stall: how long the window's event loop stops answering while
// a transfer runs, for the event-driven runner and, for comparison, for the
// blocking runner with event pumps at the plan's four points.

#include "Median.h"
#include "SimulatedTracker.h"
#include "image/BuildImage.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/QtSerialPort.h"
#include "transfer/SendImage.h"
#include "transfer/TransferPlan.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using korvel::bench::Median;

namespace {

using namespace korvel;

constexpr int kTransfers = 5;

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

class PumpingPauses final : public SleepingPauses {
public:
    void pumpEvents() override { QCoreApplication::processEvents(); }
};

// Ticks every millisecond and keeps the longest gap between two ticks.
class StallMeter {
public:
    StallMeter() {
        ticker_.setTimerType(Qt::PreciseTimer);
        ticker_.setInterval(1);
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            const double gap = clock_.nsecsElapsed() / 1e6;
            if (gap > longest_) {
                longest_ = gap;
                longestAt_ = since_.nsecsElapsed() / 1e6;
            }
            clock_.restart();
        });
    }
    void start() {
        longest_ = 0;
        since_.start();
        clock_.start();
        ticker_.start();
    }
    double stop() {
        ticker_.stop();
        return std::max(longest_, clock_.nsecsElapsed() / 1e6);
    }

private:
    QTimer ticker_;
    QElapsedTimer clock_;
    QElapsedTimer since_;
    double longest_ = 0;

public:
    double longestAt_ = 0; // ms from start() to the end of the longest gap, for a closer look
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    SettingsRecord settings;
    SetDefaults(settings);
    ConfigImage image{};
    BuildImage(settings, image);

    bench::SimulatedTracker tracker(2 * kTransfers);
    StallMeter meter;
    std::vector<double> eventDriven;
    std::vector<double> blocking;
    std::vector<double> idle;
    for (int i = 0; i < kTransfers; ++i) {
        Silent view;
        const QString folder = tracker.folder();
        EventDrivenSender sender(nullptr,
                                 [folder] { return std::make_unique<QtSerialPort>(folder); });
        QEventLoop loop;
        QObject::connect(&sender, &EventDrivenSender::finished, &loop, &QEventLoop::quit);
        meter.start();
        sender.start(image, "1", view);
        loop.exec();
        eventDriven.push_back(meter.stop());

        // The same loop with no transfer, for as long: the machine's own noise.
        meter.start();
        QTimer::singleShot(PlannedDuration(), &loop, &QEventLoop::quit);
        loop.exec();
        idle.push_back(meter.stop());

        QtSerialPort port(folder);
        PumpingPauses pauses;
        meter.start();
        QCoreApplication::processEvents();
        SendImage(image, "1", port, pauses, view, view);
        QCoreApplication::processEvents();
        blocking.push_back(meter.stop());
    }
    std::printf("longest event-loop stall during a transfer (%d transfers each)\n", kTransfers);
    std::printf("  event-driven runner:               median %7.2f ms, worst %7.2f ms "
                "(target under 20 ms)\n",
                Median(eventDriven), *std::max_element(eventDriven.begin(), eventDriven.end()));
    std::printf("  no transfer (the machine's noise):  median %7.2f ms, worst %7.2f ms\n",
                Median(idle), *std::max_element(idle.begin(), idle.end()));
    std::printf("  blocking runner with event pumps:  median %7.2f ms, worst %7.2f ms\n",
                Median(blocking), *std::max_element(blocking.begin(), blocking.end()));
    std::printf("  ratio blocking / event-driven (medians): %.0f\n",
                Median(blocking) / std::max(Median(eventDriven), 0.001));
    return tracker.bursts().size() == 2 * kTransfers ? 0 : 1;
}
