#include "FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace korvel::bench {
namespace {

long long SteadyNanoseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<long long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

// The window's first paint event starts painting it and its controls; the
// report waits for the next turn of the event loop, when they are on screen.
class PaintWatcher : public QObject {
public:
    PaintWatcher(QObject* parent, long long createdNs) : QObject(parent), createdNs_(createdNs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, &PaintWatcher::report);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report() {
        std::printf("created_ns=%lld paint_ns=%lld rss_kb=%ld\n", createdNs_, SteadyNanoseconds(),
                    ResidentKilobytes());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    long long createdNs_;
    bool seen_ = false;
};

} // namespace

void ReportFirstPaint(QWidget& window) {
    window.installEventFilter(new PaintWatcher(&window, SteadyNanoseconds()));
}

} // namespace korvel::bench
