#pragma once

// The longest time the event loop went without answering, measured by a timer
// that asks to tick every millisecond.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>

namespace korvel::bench {

class StallMeter {
public:
    StallMeter() {
        ticker_.setTimerType(Qt::PreciseTimer);
        ticker_.setInterval(1);
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, clock_.nsecsElapsed() / 1e6);
            clock_.restart();
        });
    }
    void start() {
        longest_ = 0;
        clock_.start();
        ticker_.start();
    }
    // The longest gap, in ms, since start().
    double stop() {
        ticker_.stop();
        return std::max(longest_, clock_.nsecsElapsed() / 1e6);
    }

private:
    QTimer ticker_;
    QElapsedTimer clock_;
    double longest_ = 0;
};

} // namespace korvel::bench
