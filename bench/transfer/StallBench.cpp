// bench-transfer-stall: the longest stall of the Setup window's event loop
// while SEND runs a transfer through a real serial port (a pseudo-terminal
// that COM1 resolves to), with a working line and with a line that stops
// taking data after the port opens. For comparison, the same loop for as long
// with no transfer: the machine's own noise. The first transfer of a window is
// measured apart, each in a process of its own, since only a fresh program
// shows what the first SEND costs. Rounds of the four interleave.

#include "Median.h"
#include "PseudoTerminal.h"
#include "StallMeter.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/QtSerialPort.h"
#include "transfer/TransferPlan.h"
#include "ui/MessageBox.h"
#include "ui/Setup.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using korvel::bench::Median;

namespace {

using namespace korvel;

constexpr int kRounds = 7;

// Reads and drops whatever reached the tracker's end of the line.
void Drain(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    char buffer[256];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
}

// Presses SEND and runs the event loop until the command has ended; returns
// the longest stall meanwhile. `afterClick` runs right after the click.
template <typename AfterClick>
double StallOfSend(Setup& setup, bench::StallMeter& meter, AfterClick afterClick) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (setup.controls().cmdSend->isEnabled()) {
            loop.quit();
        }
    });
    QTimer::singleShot(0, &loop, [&] {
        setup.controls().cmdSend->click();
        afterClick();
        poll.start(5);
    });
    meter.start();
    loop.exec();
    return meter.stop();
}

double StallOfIdle(bench::StallMeter& meter) {
    QEventLoop loop;
    QTimer::singleShot(PlannedDuration(), &loop, &QEventLoop::quit);
    meter.start();
    loop.exec();
    return meter.stop();
}

void PrintRow(const char* name, const std::vector<double>& stalls) {
    std::printf("  %-34s median %8.2f ms, worst %8.2f ms\n", name, Median(stalls),
                *std::max_element(stalls.begin(), stalls.end()));
}

// The first transfer of a fresh window, in a child process of this program;
// negative when the child gave no figure.
double StallOfFirstSend() {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-transfer")});
    if (!child.waitForFinished(30000)) {
        child.kill();
        child.waitForFinished();
        return -1;
    }
    bool ok = false;
    const double stall = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? stall : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    MessageBox::setRecording(true);

    QTemporaryDir devices;
    sim::PseudoTerminal line;
    line.link(QFile::encodeName(devices.filePath(QStringLiteral("ttyUSB0"))).toStdString());
    const QString folder = devices.path();
    Setup setup(std::make_unique<EventDrivenSender>(
        nullptr, [folder] { return std::make_unique<QtSerialPort>(folder); }));
    setup.show();

    bench::StallMeter meter;
    if (application.arguments().contains(QStringLiteral("--first-transfer"))) {
        QCoreApplication::processEvents(); // the window is up before SEND, as for a person
        std::printf("%.3f\n", StallOfSend(setup, meter, [] {}));
        return 0;
    }
    std::vector<double> first, working, stuck, idle;
    int sent = 0, stuckReported = 0;
    for (int round = 0; round < kRounds; ++round) {
        if (const double stall = StallOfFirstSend(); stall >= 0) {
            first.push_back(stall);
        }
        working.push_back(StallOfSend(setup, meter, [] {}));
        sent += MessageBox::takeRecorded().isEmpty() ? 1 : 0;
        Drain(line.masterFd());

        stuck.push_back(StallOfSend(setup, meter, [&line] { line.suspendOutput(); }));
        const auto boxes = MessageBox::takeRecorded();
        stuckReported += boxes.size() == 1 && boxes[0].text.contains("took no data") ? 1 : 0;
        line.resumeOutput();
        Drain(line.masterFd());

        idle.push_back(StallOfIdle(meter));
    }
    std::printf("longest stall of the Setup window's event loop during SEND (%d rounds, "
                "interleaved)\n",
                kRounds);
    if (!first.empty()) {
        PrintRow("first transfer of a fresh window:", first);
    }
    PrintRow("working line:", working);
    PrintRow("line that stops taking data:", stuck);
    PrintRow("no transfer (the machine's noise):", idle);
    std::printf("  ratios of medians: working / idle %.2f, stuck / idle %.2f\n",
                Median(working) / std::max(Median(idle), 0.001),
                Median(stuck) / std::max(Median(idle), 0.001));
    std::printf("  transfers sent whole: %d of %d; stuck lines reported: %d of %d\n", sent, kRounds,
                stuckReported, kRounds);
    return 0;
}
