// The simulated tracker as its users meet it: the link it makes, how it ends
// on a signal, and transfers sent anew after a cut.

#include "FactoryImage.h"
#include "PseudoTerminal.h"
#include "transfer/Frames.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace korvel {
namespace {

std::vector<std::uint8_t> Wire() {
    const TransferFrames frames = BuildFrames(test::kFactoryImage);
    std::vector<std::uint8_t> wire(kStartMarker.begin(), kStartMarker.end());
    wire.insert(wire.end(), frames.a.begin(), frames.a.end());
    wire.insert(wire.end(), kStartMarker.begin(), kStartMarker.end());
    wire.insert(wire.end(), frames.b.begin(), frames.b.end());
    return wire;
}

bool WriteTo(const QString& device, const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(QFile::encodeName(device).constData(), O_WRONLY | O_NOCTTY);
    const bool written =
        fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (fd >= 0) {
        ::close(fd);
    }
    return written;
}

// The two lowest descriptor numbers free now.
std::pair<int, int> TwoFreeDescriptors() {
    std::vector<int> free;
    for (int fd = 0; free.size() < 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1) {
            free.push_back(fd);
        }
    }
    return {free[0], free[1]};
}

} // namespace

class TrackerSimTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QProcess simulator_;

    QString link() const { return folder_.filePath(QStringLiteral("ttyUSB0")); }

    bool start(const QStringList& extra = {}) {
        simulator_.start(KORVEL_TRACKER_SIM, QStringList{"--link", link()} + extra);
        return simulator_.waitForStarted(5000) && simulator_.waitForReadyRead(5000) &&
               QFileInfo(link()).isSymLink();
    }

private slots:
    void cleanup() {
        simulator_.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        simulator_.kill();
        simulator_.waitForFinished(2000);
        QFile::remove(link());
        QDir(link()).removeRecursively();
    }

    void badUsageIsRefused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("count with a tail") << QStringList{"--count", "1x"};
        QTest::newRow("count 0") << QStringList{"--count", "0"};
        QTest::newRow("timeout with a unit") << QStringList{"--timeout", "0.6s"};
        QTest::newRow("timeout not a number") << QStringList{"--timeout", "nan"};
        QTest::newRow("timeout beyond an hour") << QStringList{"--timeout", "1e9"};
        QTest::newRow("empty link") << QStringList{"--link", ""};
        QTest::newRow("link without a path") << QStringList{"--link"};
        QTest::newRow("count 0 joined") << QStringList{"--count=0"};
        QTest::newRow("count twice") << QStringList{"--count", "1", "--count", "2"};
        QTest::newRow("flag with a value") << QStringList{"--timing=1"};
        QTest::newRow("unknown option") << QStringList{"--bogus"};
        QTest::newRow("an operand") << QStringList{"--", "--count"};
        QTest::newRow("owner no user has") << QStringList{"--owner", "no-such-user-here"};
        QTest::newRow("owner empty") << QStringList{"--owner", ""};
    }
    void badUsageIsRefused() {
        QFETCH(QStringList, args);
        QProcess simulator;
        simulator.start(KORVEL_TRACKER_SIM, args);
        QVERIFY(simulator.waitForFinished(5000));
        QCOMPARE(simulator.exitCode(), 2);
        const QByteArray error = simulator.readAllStandardError();
        QVERIFY(error.startsWith("Usage: korvel-tracker-sim"));
        // The reason comes last, where it stays in sight.
        QVERIFY2(error.contains("\n\nkorvel-tracker-sim: "), error.constData());
        QCOMPARE(simulator.readAllStandardOutput(), QByteArray());
    }

    void linkReplacesOnlyALink_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("an old link") << "link" << true;
        QTest::newRow("a file") << "file" << false;
        QTest::newRow("a folder") << "folder" << false;
    }
    void linkReplacesOnlyALink() {
        QFETCH(QString, existing);
        QFETCH(bool, replaced);
        if (existing == "link") {
            QVERIFY(QFile::link(folder_.filePath("gone"), link()));
        } else if (existing == "file") {
            QFile file(link());
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
        } else {
            QVERIFY(QDir().mkdir(link()));
        }
        QCOMPARE(start(), replaced);
        if (replaced) {
            return;
        }
        QVERIFY(simulator_.state() == QProcess::NotRunning || simulator_.waitForFinished(5000));
        QCOMPARE(simulator_.exitCode(), 1);
        const QString error = QString::fromUtf8(simulator_.readAllStandardError());
        QVERIFY2(error.contains("is not a symbolic link"), qPrintable(error));
        if (existing == "file") {
            QFile file(link());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("mine"));
        } else {
            QVERIFY(QFileInfo(link()).isDir());
        }
    }

    void aStopSignalRemovesTheLink_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
    }
    void aStopSignalRemovesTheLink() {
        QFETCH(int, signal);
        QVERIFY(start());
        QVERIFY(::kill(static_cast<pid_t>(simulator_.processId()), signal) == 0);
        QVERIFY(simulator_.waitForFinished(5000));
        QCOMPARE(simulator_.exitStatus(), QProcess::CrashExit); // ended by the signal
        QVERIFY(!QFileInfo(link()).isSymLink());
    }

    // A transfer cut short, then sent whole after a pause as a sender would
    // after a failure: the second is a transfer of its own and arrives whole.
    void aTransferSentAgainAfterACutIsANewOne_data() {
        QTest::addColumn<int>("cutAfter"); // bytes of the first transfer sent
        QTest::addColumn<QString>("reported");
        QTest::newRow("inside frame A") << 30 << "error: frame A: short frame, 28 of 58";
        QTest::newRow("after frame A") << 60 << "error: frame B: timeout";
    }
    void aTransferSentAgainAfterACutIsANewOne() {
        QFETCH(int, cutAfter);
        QFETCH(QString, reported);
        QVERIFY(start({"--count", "2"}));
        std::vector<std::uint8_t> cut = Wire();
        cut.resize(static_cast<std::size_t>(cutAfter));
        QVERIFY(WriteTo(link(), cut));
        QTest::qSleep(1500); // more than the simulator's silence of 0.6 s
        QVERIFY(WriteTo(link(), Wire()));
        QVERIFY(simulator_.waitForFinished(5000));
        const QString output = QString::fromUtf8(simulator_.readAllStandardOutput());
        QCOMPARE(simulator_.exitCode(), 1); // one of the two failed
        QVERIFY2(output.contains(reported), qPrintable(output));
        QVERIFY2(output.indexOf("Success!") > output.indexOf(reported), qPrintable(output));
        QVERIFY2(output.contains("edMyCall         NOCALL-9"), qPrintable(output));
    }

    // Who may open the device. Root hands it to the user named, or to the user
    // who ran sudo; anyone else keeps it, and may not give it away. OTHER and
    // OTHER_ID stand for another user's name and number.
    void theDeviceGoesToItsOwner_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("sudoCaller"); // SUDO_UID, empty for none
        QTest::addColumn<bool>("toOther");       // else it stays this user's
        QTest::newRow("no owner") << QStringList{} << QString() << false;
        QTest::newRow("named") << QStringList{"--owner", "OTHER"} << QString() << true;
        QTest::newRow("by number") << QStringList{"--owner", "OTHER_ID"} << QString() << true;
        QTest::newRow("who ran sudo") << QStringList{} << "OTHER_ID" << true;
        QTest::newRow("named, not who ran sudo")
            << QStringList{"--owner", QString::number(::geteuid())} << "OTHER_ID" << false;
    }
    void theDeviceGoesToItsOwner() {
        QFETCH(QStringList, args);
        QFETCH(QString, sudoCaller);
        QFETCH(bool, toOther);
        const uid_t other = ::geteuid() == 65534 ? 0 : 65534; // nobody, or root for nobody
        const passwd* otherUser = ::getpwuid(other);
        QVERIFY(otherUser != nullptr);
        args.replaceInStrings(QStringLiteral("OTHER_ID"), QString::number(other));
        args.replaceInStrings(QStringLiteral("OTHER"), QString::fromLocal8Bit(otherUser->pw_name));
        sudoCaller.replace(QStringLiteral("OTHER_ID"), QString::number(other));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("SUDO_UID");
        if (!sudoCaller.isEmpty()) {
            environment.insert("SUDO_UID", sudoCaller);
        }
        simulator_.setProcessEnvironment(environment);
        const bool asRoot = ::geteuid() == 0;
        // Only root gives a device away; sudo's note counts only for root.
        const bool refused = toOther && !asRoot && sudoCaller.isEmpty();
        QCOMPARE(start(args), !refused);
        if (refused) {
            QVERIFY(simulator_.state() == QProcess::NotRunning || simulator_.waitForFinished(5000));
            QCOMPARE(simulator_.exitCode(), 1);
            const QString error = QString::fromUtf8(simulator_.readAllStandardError());
            QVERIFY2(error.contains("Operation not permitted"), qPrintable(error));
            return;
        }
        struct stat device {};
        QVERIFY(::stat(QFile::encodeName(link()).constData(), &device) == 0);
        QCOMPARE(device.st_uid, toOther && asRoot ? other : ::geteuid());
        QVERIFY(device.st_mode & S_IRUSR && device.st_mode & S_IWUSR);
    }

    void aPairThatFailsToOpenLeavesNoDescriptor() {
        const auto [first, second] = TwoFreeDescriptors();
        rlimit limit{};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &limit) == 0);
        rlimit lowered = limit;
        lowered.rlim_cur = static_cast<rlim_t>(second); // the master opens, the slave does not
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &lowered) == 0);
        bool threw = false;
        try {
            sim::PseudoTerminal line;
        } catch (const std::runtime_error&) {
            threw = true;
        }
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &limit) == 0);
        QVERIFY(threw);
        QCOMPARE(::fcntl(first, F_GETFD), -1);
    }
};

} // namespace korvel

QTEST_GUILESS_MAIN(korvel::TrackerSimTest)
#include "TrackerSimTest.moc"
