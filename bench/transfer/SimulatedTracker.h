#pragma once

// Starts korvel-tracker-sim for a benchmark and reads what it reports.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace korvel::bench {

class SimulatedTracker {
public:
    // Receives `count` transfers; its line is reachable as COM1 in folder().
    explicit SimulatedTracker(int count) {
        // A long silence: a benchmark's own transfers never come cut short.
        process_.start(KORVEL_TRACKER_SIM,
                       {"--timing", "--timeout", "3", "--count", QString::number(count), "--link",
                        folder_.filePath("ttyUSB0")});
        if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(5000)) {
            std::fprintf(stderr, "cannot start %s\n", KORVEL_TRACKER_SIM);
            std::exit(1);
        }
        process_.readLine(); // the device
    }
    ~SimulatedTracker() {
        process_.kill();
        process_.waitForFinished(2000);
    }

    QString folder() const { return folder_.path(); }

    // The arrival time of every burst on the monotonic clock, in ms, one list
    // per transfer; waits for the simulator to finish.
    QList<QList<double>> clocks() {
        process_.waitForFinished(30000);
        QList<QList<double>> transfers;
        QList<double> current;
        const QStringList lines = QString::fromUtf8(process_.readAllStandardOutput()).split('\n');
        for (const QString& line : lines) {
            if (line.startsWith("timing: burst ")) {
                const double at = line.section("(clock ", 1).section(' ', 0, 0).toDouble();
                if (line.startsWith("timing: burst 1 ") && !current.isEmpty()) {
                    transfers << current;
                    current.clear();
                }
                current << at;
            }
        }
        if (!current.isEmpty()) {
            transfers << current;
        }
        return transfers;
    }

private:
    QTemporaryDir folder_;
    QProcess process_;
};

} // namespace korvel::bench
