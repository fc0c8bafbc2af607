// bench-startup: time from process start to the first paint of the main window
// Setup, and the resident memory then, against a minimal Qt Widgets program
// with one empty window. Both probes run in turn, after one warm-up run each
// (which fills the font and file caches); the figures are medians.
// Without a display the probes run on Qt's offscreen platform; under xvfb-run
// they use the X server.

#include "Median.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

using korvel::bench::Median;

namespace {

constexpr int kRuns = 11;
constexpr int kTimeoutMs = 20000;
// Targets for Setup against the empty window.
constexpr double kTimeRatioTarget = 1.3;
constexpr double kMemoryTargetMb = 15.0;

struct Sample {
    double builtMs = 0; // the window built, not yet shown
    double ms = 0;      // its first paint
    double rssMb = 0;
};

struct Probe {
    const char* label;
    QString program;
    QStringList arguments;
    std::vector<Sample> samples;
};

QProcessEnvironment ProbeEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")) &&
        !env.contains(QStringLiteral("DISPLAY")) &&
        !env.contains(QStringLiteral("WAYLAND_DISPLAY"))) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    return env;
}

std::optional<long long> Field(const QString& line, const QString& key) {
    for (const QString& part : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (part.startsWith(key + QLatin1Char('='))) {
            bool ok = false;
            const long long value = part.mid(key.size() + 1).toLongLong(&ok);
            if (ok) {
                return value;
            }
        }
    }
    return std::nullopt;
}

std::optional<Sample> RunOnce(const Probe& probe, const QProcessEnvironment& env) {
    const QString& program = probe.program;
    QProcess process;
    process.setProcessEnvironment(env);
    const auto start = std::chrono::steady_clock::now().time_since_epoch();
    process.start(program, probe.arguments);
    if (!process.waitForFinished(kTimeoutMs) || process.exitCode() != 0) {
        std::fprintf(stderr, "bench-startup: %s did not report its first paint\n%s",
                     qPrintable(program), process.readAllStandardError().constData());
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    const QString line = QString::fromLatin1(process.readAllStandardOutput()).trimmed();
    const auto built = Field(line, QStringLiteral("created_ns"));
    const auto paint = Field(line, QStringLiteral("paint_ns"));
    const auto rss = Field(line, QStringLiteral("rss_kb"));
    if (!built || !paint || !rss) {
        std::fprintf(stderr, "bench-startup: unexpected report '%s'\n", qPrintable(line));
        return std::nullopt;
    }
    const long long startNs = std::chrono::duration_cast<std::chrono::nanoseconds>(start).count();
    return Sample{static_cast<double>(*built - startNs) / 1e6,
                  static_cast<double>(*paint - startNs) / 1e6, static_cast<double>(*rss) / 1024.0};
}

std::vector<double> Column(const Probe& probe, double Sample::*member) {
    std::vector<double> out;
    for (const Sample& s : probe.samples) {
        out.push_back(s.*member);
    }
    return out;
}

void PrintRow(const Probe& probe) {
    const std::vector<double> times = Column(probe, &Sample::ms);
    std::printf("  %-22s %9.1f %9.1f %9.1f %9.1f %9.1f\n", probe.label,
                Median(Column(probe, &Sample::builtMs)), Median(times),
                *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()),
                Median(Column(probe, &Sample::rssMb)));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString minimal = folder + QStringLiteral("startup-probe-minimal");
    std::vector<Probe> probes{{"minimal empty window", minimal, {}, {}},
                              {"Setup (KORVEL25)", folder + "startup-probe-setup", {}, {}},
                              {"window with one label", minimal, {"--label"}, {}}};
    const QProcessEnvironment env = ProbeEnvironment();

    for (int run = 0; run <= kRuns; ++run) {
        // Alternate the order, so neither probe always follows the other.
        for (std::size_t i = 0; i < probes.size(); ++i) {
            Probe& probe = probes[(run % 2) ? probes.size() - 1 - i : i];
            const auto sample = RunOnce(probe, env);
            if (!sample) {
                return 1;
            }
            if (run > 0) { // run 0 warms the caches up
                probe.samples.push_back(*sample);
            }
        }
    }

    const QString platform =
        env.value(QStringLiteral("QT_QPA_PLATFORM"), env.contains(QStringLiteral("WAYLAND_DISPLAY"))
                                                         ? QStringLiteral("wayland")
                                                         : QStringLiteral("xcb"));
    std::printf("Start-up to first paint, platform %s, %d runs each after a warm-up\n",
                qPrintable(platform), kRuns);
    std::printf("  %-22s %9s %9s %9s %9s %9s\n", "(ms, MB: medians)", "built", "painted", "min",
                "max", "RSS");
    for (const Probe& probe : probes) {
        PrintRow(probe);
    }
    const auto compare = [&](const Probe& base, const char* name, const char* target) {
        const double ratio =
            Median(Column(probes[1], &Sample::ms)) / Median(Column(base, &Sample::ms));
        const double extraMb =
            Median(Column(probes[1], &Sample::rssMb)) - Median(Column(base, &Sample::rssMb));
        std::printf("  Setup against %s: time %.2fx, memory %+.1f MB%s\n", name, ratio, extraMb,
                    target);
    };
    char target[80];
    std::snprintf(target, sizeof target, " (target %.1fx, %.0f MB)", kTimeRatioTarget,
                  kMemoryTargetMb);
    compare(probes[0], "the empty window", target);
    compare(probes[2], "the window with one label", "");
    return 0;
}
