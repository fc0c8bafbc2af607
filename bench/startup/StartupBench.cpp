// bench-startup: time from process start to the first paint of the main window
// Setup, and the resident memory then, against plain Qt Widgets programs: one
// empty window, one window with a label, and a window with the same stock
// widgets as Setup (what Qt itself costs for this form). The probes run in
// turn, the order reversed every round, after one warm-up round (which fills
// the font and file caches); the figures are medians.
// Without a display the probes run on Qt's offscreen platform; under xvfb-run
// they use the X server.

#include "Median.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

using korvel::bench::Median;

namespace {

constexpr int kRuns = 21;
constexpr int kTimeoutMs = 20000;
// Goal for Setup's first paint against the same widgets in plain Qt.
constexpr double kTimeRatioGoal = 1.2;

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
    std::printf("  %-24s %9.1f %9.1f %9.1f %9.1f %9.1f\n", probe.label,
                Median(Column(probe, &Sample::builtMs)), Median(times),
                *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()),
                Median(Column(probe, &Sample::rssMb)));
}

// Has the Setup probe write down its stock widgets, for the same-widgets probe.
bool DescribeSetup(const QString& setupProbe, const QString& file, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(setupProbe, {QStringLiteral("--describe"), file});
    if (!process.waitForFinished(kTimeoutMs) || process.exitCode() != 0) {
        std::fprintf(stderr, "bench-startup: %s could not describe its widgets\n%s",
                     qPrintable(setupProbe), process.readAllStandardError().constData());
        return false;
    }
    return true;
}

double MedianTime(const Probe& probe) {
    return Median(Column(probe, &Sample::ms));
}

double MedianMemory(const Probe& probe) {
    return Median(Column(probe, &Sample::rssMb));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString minimal = folder + QStringLiteral("startup-probe-minimal");
    const QString setupProbe = folder + QStringLiteral("startup-probe-setup");
    const QProcessEnvironment env = ProbeEnvironment();
    QTemporaryDir scratch;
    const QString form = QDir(scratch.path()).filePath(QStringLiteral("setup-form.txt"));
    if (!scratch.isValid() || !DescribeSetup(setupProbe, form, env)) {
        return 1;
    }
    enum { kEmpty, kLabel, kSameWidgets, kSetup };
    std::vector<Probe> probes{{"empty window", minimal, {}, {}},
                              {"window with one label", minimal, {"--label"}, {}},
                              {"same widgets, plain Qt", minimal, {"--form", form}, {}},
                              {"Setup (KORVEL25)", setupProbe, {}, {}}};

    for (int run = 0; run <= kRuns; ++run) {
        // Alternate the order, so no probe always follows the same one.
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
    std::printf("Start-up to first paint, platform %s, %d rounds after a warm-up\n",
                qPrintable(platform), kRuns);
    std::printf("  %-24s %9s %9s %9s %9s %9s\n", "(ms, MB: medians)", "built", "painted", "min",
                "max", "RSS");
    for (const Probe& probe : probes) {
        PrintRow(probe);
    }
    const Probe& setup = probes[kSetup];
    const auto compare = [&](const Probe& base, const char* note) {
        std::printf("  Setup against %-22s time %.2fx, memory %+.1f MB%s\n", base.label,
                    MedianTime(setup) / MedianTime(base), MedianMemory(setup) - MedianMemory(base),
                    note);
    };
    char goal[40];
    std::snprintf(goal, sizeof goal, " (goal %.1fx)", kTimeRatioGoal);
    compare(probes[kSameWidgets], goal);
    compare(probes[kEmpty], "");
    compare(probes[kLabel], "");
    return 0;
}
