// bench-transfer-timeline: sends transfers with the event-driven runner to the
// simulated tracker and compares every pause with the plan, from the port's
// opening to its closing and on to the completion text. Openings, closings and
// texts are timed here; the bytes' arrival is timed by the simulator on the
// same monotonic clock.

#include "Median.h"
#include "SimulatedTracker.h"
#include "image/BuildImage.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/QtSerialPort.h"
#include "transfer/TransferPlan.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using korvel::bench::Median;

namespace {

using namespace korvel;

constexpr int kTransfers = 9;

double Now() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// When one transfer opened and closed its port and showed its completion text.
struct Moments {
    double opened = 0;
    double closing = 0; // asked to close
    double closed = 0;  // closed
    double completed = 0;
};

// The real port, noting when it opened and closed.
class TimedPort final : public SerialPort {
public:
    TimedPort(const QString& folder, Moments& moments) : port_(folder), moments_(moments) {}
    PortResult select(int number) override { return port_.select(number); }
    PortResult open() override {
        auto result = port_.open();
        moments_.opened = Now();
        return result;
    }
    bool isOpen() const override { return port_.isOpen(); }
    PortResult write(std::span<const std::uint8_t> bytes) override { return port_.write(bytes); }
    PortResult close() override {
        moments_.closing = Now();
        auto result = port_.close();
        moments_.closed = Now();
        return result;
    }

private:
    QtSerialPort port_;
    Moments& moments_;
};

class TimedView final : public ProgressView {
public:
    explicit TimedView(Moments& moments) : moments_(moments) {}
    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        text_ = text;
        if (text == kCompletionText) {
            moments_.completed = Now();
        }
    }
    void setOkVisible(bool) override {}
    void showDialog() override {}

private:
    std::string text_;
    Moments& moments_;
};

struct Pause {
    const char* name;
    double planned;
    std::vector<double> deviations;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    SettingsRecord settings;
    SetDefaults(settings);
    ConfigImage image{};
    BuildImage(settings, image);

    bench::SimulatedTracker tracker(kTransfers);
    std::vector<Moments> transfers;
    for (int i = 0; i < kTransfers; ++i) {
        Moments moments;
        TimedView view(moments);
        const QString folder = tracker.folder();
        EventDrivenSender sender(nullptr,
                                 [&] { return std::make_unique<TimedPort>(folder, moments); });
        QEventLoop loop;
        QObject::connect(&sender, &EventDrivenSender::finished, &loop, &QEventLoop::quit);
        sender.start(image, "1", view);
        if (sender.isRunning()) {
            loop.exec();
        }
        if (sender.lastResult().outcome != TransferOutcome::Sent) {
            std::fprintf(stderr, "transfer failed: %s\n", sender.lastResult().error.c_str());
        }
        transfers.push_back(moments);
    }

    std::vector<Pause> pauses = {{"open to marker A", 400, {}},    {"marker A to frame A", 10, {}},
                                 {"frame A to marker B", 400, {}}, {"marker B to frame B", 10, {}},
                                 {"frame B to closing", 400, {}},  {"closing to the end", 400, {}}};
    const QList<QList<double>> arrivals = tracker.clocks();
    std::vector<double> closings;
    double worst = 0;
    for (qsizetype t = 0; t < arrivals.size() && t < static_cast<qsizetype>(transfers.size());
         ++t) {
        const QList<double>& bytes = arrivals[t];
        const Moments& m = transfers[static_cast<std::size_t>(t)];
        if (bytes.size() != 4) {
            std::printf("transfer %lld arrived in %lld bursts instead of 4\n",
                        static_cast<long long>(t + 1), static_cast<long long>(bytes.size()));
            continue;
        }
        // Each pause runs from the end of one step to the start of the next.
        const double starts[] = {m.opened, bytes[0], bytes[1], bytes[2], bytes[3], m.closed};
        const double ends[] = {bytes[0], bytes[1], bytes[2], bytes[3], m.closing, m.completed};
        closings.push_back(m.closed - m.closing);
        for (std::size_t p = 0; p < pauses.size(); ++p) {
            const double deviation = ends[p] - starts[p] - pauses[p].planned;
            pauses[p].deviations.push_back(deviation);
            worst = std::max(worst, std::abs(deviation));
        }
    }
    std::printf("pauses of the event-driven runner against the plan, %lld transfers through a "
                "pseudo-terminal\n",
                static_cast<long long>(arrivals.size()));
    for (const Pause& pause : pauses) {
        if (!pause.deviations.empty()) {
            std::printf(
                "  %-20s planned %3.0f ms, median deviation %+6.2f ms, worst %+6.2f ms\n",
                pause.name, pause.planned, Median(pause.deviations),
                *std::max_element(pause.deviations.begin(), pause.deviations.end(),
                                  [](double a, double b) { return std::abs(a) < std::abs(b); }));
        }
    }
    std::printf("largest deviation of any pause: %.2f ms (target within 5 ms)\n", worst);
    std::printf("closing the port took: median %.2f ms, longest %.2f ms\n", Median(closings),
                closings.empty() ? 0.0 : *std::max_element(closings.begin(), closings.end()));
    return 0;
}
