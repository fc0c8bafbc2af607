// Soak: many SEND transfers in a row from the window to a tracker on a
// pseudo-terminal, each received and checked byte for byte against the image
// the window built, then many Save and Load cycles through the window's
// commands, each file checked against the first. Prints the counts, the
// median time of one transfer and the resident memory along the way; exits
// with 1 when anything was lost.
//
//   bench-hardening-soak [--transfers N] [--cycles N] [--pause-divisor N]

#include "FrameReceiver.h"
#include "Median.h"
#include "PseudoTerminal.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/QtSerialPort.h"
#include "ui/CommonD.h"
#include "ui/Dialog.h"
#include "ui/MessageBox.h"
#include "ui/Setup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace korvel;

namespace {

struct Options {
    int transfers = 200;
    int cycles = 1000;
    int pauseDivisor = 20;
};

Options ParseOptions(const QStringList& args) {
    Options options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const int value = args[i + 1].toInt();
        if (args[i] == QLatin1String("--transfers")) {
            options.transfers = value;
        } else if (args[i] == QLatin1String("--cycles")) {
            options.cycles = value;
        } else if (args[i] == QLatin1String("--pause-divisor")) {
            options.pauseDivisor = std::max(1, value);
        }
    }
    return options;
}

// Resident memory of this process, in kB.
long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Runs the event loop until `done` holds or `ms` have passed.
template <typename Done> bool WaitFor(Done done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

// The tracker's end of the line: every configuration that arrives whole.
class Tracker {
public:
    explicit Tracker(sim::PseudoTerminal& line)
        : line_(line), notifier_(line.masterFd(), QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { read(); });
    }
    std::vector<ConfigImage> received;
    int faults = 0;

private:
    void read() {
        std::uint8_t buffer[256];
        const ssize_t count = ::read(line_.masterFd(), buffer, sizeof buffer);
        for (ssize_t i = 0; i < count; ++i) {
            if (const auto event = receiver_.push(buffer[i])) {
                if (event->kind == sim::ReceiverEvent::Kind::Complete) {
                    received.push_back(event->image);
                } else if (event->kind != sim::ReceiverEvent::Kind::FrameGood) {
                    ++faults;
                }
            }
        }
    }

    sim::PseudoTerminal& line_;
    QSocketNotifier notifier_;
    sim::FrameReceiver receiver_;
};

struct TransferFigures {
    int sent = 0;
    int decodedAsSent = 0;
    int messages = 0;
    double medianMs = 0;
    long rssAfterFirstKb = 0;
    long rssAtEndKb = 0;
};

TransferFigures SoakTransfers(const Options& options) {
    TransferFigures figures;
    QTemporaryDir devices;
    sim::PseudoTerminal line;
    line.link(QFile::encodeName(devices.filePath(QStringLiteral("ttyUSB0"))).toStdString());
    Tracker tracker(line);
    const QString folder = devices.path();
    Setup setup(std::make_unique<EventDrivenSender>(
        nullptr, [folder] { return std::make_unique<QtSerialPort>(folder); },
        options.pauseDivisor));
    setup.show();

    std::vector<double> times;
    for (int i = 0; i < options.transfers; ++i) {
        // A different configuration each time, so that a stale image shows.
        char beacon[32];
        std::snprintf(beacon, sizeof beacon, "Soak transfer %05d", i);
        setup.setText(Field::edBeacon, beacon);
        setup.setText(Field::edNumFlagsAuto, std::to_string(100 + i % 900));
        QElapsedTimer timer;
        timer.start();
        setup.controls().cmdSend->click();
        const bool ended = WaitFor([&] { return setup.controls().cmdSend->isEnabled(); }, 10000);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        const std::size_t expected = static_cast<std::size_t>(i) + 1;
        WaitFor([&] { return tracker.received.size() >= expected; }, 2000);
        ++figures.sent;
        figures.messages += static_cast<int>(MessageBox::takeRecorded().size());
        if (ended && tracker.received.size() == expected &&
            tracker.received.back() == setup.configImage() && setup.resultDialog() &&
            setup.resultDialog()->text().starts_with("Data sent !")) {
            ++figures.decodedAsSent;
        }
        if (i == 0) {
            figures.rssAfterFirstKb = ResidentKb();
        }
    }
    figures.rssAtEndKb = ResidentKb();
    figures.medianMs = korvel::bench::Median(times);
    figures.messages += tracker.faults;
    return figures;
}

struct FileFigures {
    int cycles = 0;
    int identical = 0;
    int messages = 0;
    long rssAfterFirstKb = 0;
    long rssAtEndKb = 0;
};

FileFigures SoakFiles(const Options& options) {
    FileFigures figures;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Korvel.cfg"));
    Setup setup;
    setup.setText(Field::edBeacon, "Soak, with a comma");
    setup.setText(Field::edAprsPath, "WIDE2-2,WIDE1-1");
    setup.setValue(Field::chkRxPosition, 1);
    setup.setValue(Field::cbMicEMsg, 6);

    QByteArray first;
    for (int i = 0; i < options.cycles; ++i) {
        CommonD::setAnswers({path, path});
        setup.cmdSave_Click();
        QFile file(path);
        const QByteArray saved = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        file.close();
        setup.cmdLoad_Click();
        figures.messages += static_cast<int>(MessageBox::takeRecorded().size());
        if (i == 0) {
            first = saved;
            figures.rssAfterFirstKb = ResidentKb();
        }
        ++figures.cycles;
        figures.identical += !saved.isEmpty() && saved == first ? 1 : 0;
    }
    CommonD::clearAnswers();
    figures.rssAtEndKb = ResidentKb();
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const Options options = ParseOptions(app.arguments());
    MessageBox::setRecording(true);

    const TransferFigures transfers = SoakTransfers(options);
    std::printf("SEND transfers from the window: %d, decoded as sent: %d, messages or line "
                "faults: %d\n",
                transfers.sent, transfers.decodedAsSent, transfers.messages);
    std::printf("  median transfer: %.1f ms (pauses divided by %d)\n", transfers.medianMs,
                options.pauseDivisor);
    std::printf("  resident memory: %ld kB after the first, %ld kB after the last\n",
                transfers.rssAfterFirstKb, transfers.rssAtEndKb);

    const FileFigures files = SoakFiles(options);
    std::printf("Save and Load cycles: %d, files identical to the first: %d, messages: %d\n",
                files.cycles, files.identical, files.messages);
    std::printf("  resident memory: %ld kB after the first, %ld kB after the last\n",
                files.rssAfterFirstKb, files.rssAtEndKb);

    const bool whole = transfers.decodedAsSent == options.transfers && transfers.messages == 0 &&
                       files.identical == options.cycles && files.messages == 0;
    std::printf("%s\n", whole ? "Nothing lost." : "SOMETHING WAS LOST.");
    return whole ? 0 : 1;
}
