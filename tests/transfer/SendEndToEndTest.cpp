// Whole transfers: korvel-config send to the simulated tracker, through a
// pseudo-terminal reached as COM3 by a ttyUSB2 link in a device folder of the
// test's own.

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

namespace korvel {

class SendEndToEndTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QProcess simulator_;

    QString link() const { return folder_.filePath(QStringLiteral("ttyUSB2")); }

    // Starts the simulator and waits for it to print its device.
    bool startSimulator(const QStringList& extra = {}) {
        simulator_.start(KORVEL_TRACKER_SIM,
                         QStringList{"--link", link(), "--timeout", "3"} + extra);
        return simulator_.waitForStarted(5000) && simulator_.waitForReadyRead(5000) &&
               simulator_.canReadLine() && QFileInfo(link()).isSymLink();
    }

    struct Send {
        int exitCode;
        QString out;
        QString err;
    };
    Send send(const QStringList& args = {}) {
        QProcess config;
        config.start(KORVEL_CONFIG,
                     QStringList{"send"} +
                         (args.isEmpty()
                              ? QStringList{"--port", "3", "--device-folder", folder_.path()}
                              : args));
        config.waitForFinished(15000);
        return {config.exitCode(), QString::fromUtf8(config.readAllStandardOutput()),
                QString::fromUtf8(config.readAllStandardError())};
    }

    QString simulatorOutput() {
        simulator_.waitForFinished(5000);
        return QString::fromUtf8(simulator_.readAllStandardOutput());
    }

private slots:
    void refusesBeforeTouchingAnyPort_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message"); // part of standard error
        const QString onlyDigit = "--port needs a whole number from 1 to 9";
        QTest::newRow("no port") << QStringList{"--set", "edMyCall=AB1CD"} << 2 << "either";
        QTest::newRow("port and device")
            << QStringList{"--port", "1", "--device", "/dev/null"} << 2 << "either";
        QTest::newRow("port without number") << QStringList{"--port"} << 2 << onlyDigit;
        for (const char* port : {"1x", "1.5", "1e3", "abc", " 1", "0", "10", "", "01", "-1"}) {
            QTest::newRow(qPrintable(QStringLiteral("port '%1'").arg(port)))
                << QStringList{"--port", port} << 2 << onlyDigit;
        }
        QTest::newRow("empty device") << QStringList{"--device", ""} << 2 << "--device needs";
        QTest::newRow("device a folder") << QStringList{"--device", "/dev"} << 2 << "a folder";
        QTest::newRow("device with a folder")
            << QStringList{"--device", "/dev/null", "--device-folder", "/dev"} << 2
            << "--device-folder goes with --port";
        QTest::newRow("empty device folder")
            << QStringList{"--port", "1", "--device-folder", ""} << 2 << "--device-folder needs";
        QTest::newRow("missing device folder")
            << QStringList{"--port", "3", "--device-folder", "/nonexistent"} << 2
            << "--device-folder /nonexistent: no such folder";
        // A folder without serial devices: the refusal comes before any port.
        QTest::newRow("settings refused")
            << QStringList{"--port",          "3",
                           "--set",           "edMyCall=",
                           "--device-folder", QCoreApplication::applicationDirPath()}
            << 1 << "edMyCall";
    }
    void refusesBeforeTouchingAnyPort() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Send result = send(args);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, QString());
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
    }

    void cleanup() {
        simulator_.kill();
        simulator_.waitForFinished(2000);
    }

    void sendsTheFactoryDefaultsToTheTracker() {
        QVERIFY(startSimulator());
        const Send result = send();
        // The placeholders of the factory settings are warned of, and still sent.
        QCOMPARE(result.err.count(QStringLiteral("warning: ")), 2);
        QCOMPARE(result.err.count(QLatin1Char('\n')), 2);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QStringLiteral("Sending data on COM3......\nData sent !\n Be shure "
                                            "that the word 'Success!' appears on LCD\n"));
        const QString received = simulatorOutput();
        QCOMPARE(simulator_.exitCode(), 0);
        QVERIFY2(received.contains("\nSuccess!\n"), qPrintable(received));
        // The simulator's printout as it reads, written out: it checks what
        // arrived, not the field table.
        for (const char* decoded :
             {"edMyCall         NOCALL-9", "edAprsPath       WIDE1-1,WIDE2-2",
              "edReceiver       QKORVL", "edBeacon         Korvel v2.5 by QX7ZUL Tev",
              "edAprsMsg        Message sent using Korvel ver 2.5!", "esSpeedTable(0)  480 s",
              "edNumFlagsAuto   200 ms", "GPSless mode: no"}) {
            QVERIFY2(received.contains(QString::fromUtf8(decoded)), decoded);
        }
    }

    // A relative --device is taken from the current folder, not from /dev,
    // and the progress line names it.
    void sendsToADeviceByARelativePath() {
        QVERIFY(startSimulator());
        QProcess config;
        config.setWorkingDirectory(folder_.path());
        config.start(KORVEL_CONFIG, {"send", "--device", "ttyUSB2", "--set", "edMyCall=IK0ABC-9",
                                     "--set", "edDestCall=IK0XYZ"});
        QVERIFY(config.waitForFinished(15000));
        const QString err = QString::fromUtf8(config.readAllStandardError());
        QCOMPARE(err, QString());
        QCOMPARE(config.exitCode(), 0);
        const QString out = QString::fromUtf8(config.readAllStandardOutput());
        QVERIFY2(
            out.startsWith("Sending data on " + QFileInfo(link()).absoluteFilePath() + "......\n"),
            qPrintable(out));
        QVERIFY(simulatorOutput().contains("\nSuccess!\n"));
    }

    // An ordinary user sends to a simulator that root started, once it was
    // handed the device: without it, the user may not open the device.
    void anOrdinaryUserSendsToASimulatorRootStarted_data() {
        QTest::addColumn<bool>("handed");
        QTest::newRow("handed to the user") << true;
        QTest::newRow("kept by root") << false;
    }
    void anOrdinaryUserSendsToASimulatorRootStarted() {
        QFETCH(bool, handed);
        if (::geteuid() != 0) {
            QSKIP("starting the simulator as root for another user takes root");
        }
        QVERIFY(QFile::setPermissions(folder_.path(), QFile::permissions(folder_.path()) |
                                                          QFile::ExeOther | QFile::ReadOther));
        QVERIFY(startSimulator(handed ? QStringList{"--owner", "nobody"} : QStringList{}));
        QProcess config;
        config.start("runuser", QStringList{"-u", "nobody", "--", KORVEL_CONFIG, "send", "--port",
                                            "3", "--device-folder", folder_.path()});
        QVERIFY(config.waitForFinished(15000));
        const QString err = QString::fromUtf8(config.readAllStandardError());
        QCOMPARE(config.exitCode(), handed ? 0 : 3);
        if (handed) {
            QVERIFY(simulatorOutput().contains("\nSuccess!\n"));
        } else {
            QVERIFY2(err.contains("permission denied", Qt::CaseInsensitive), qPrintable(err));
        }
    }

    void simulatorGoneBeforeOpening() {
        QVERIFY(startSimulator());
        simulator_.kill();
        simulator_.waitForFinished(2000);
        const Send result = send();
        QCOMPARE(result.exitCode, 3);
        QCOMPARE(result.out, QString());
        QVERIFY2(result.err.contains("COM3") && result.err.contains(link()),
                 qPrintable(result.err));
    }

    void simulatorHangingUpAfterFrameA() {
        QVERIFY(startSimulator({"--hang-up-after-a"}));
        const Send result = send();
        QCOMPARE(result.exitCode, 3);
        // The dialog's progress stopped at the dot after frame A.
        QCOMPARE(result.out, QStringLiteral("Sending data on COM3.....\n"));
        QVERIFY2(result.err.contains("COM3 (" + link() + ")"), qPrintable(result.err));
        QVERIFY(!result.err.contains("Unknown error", Qt::CaseInsensitive));
        QVERIFY(simulatorOutput().contains("frame A: checksum 0x78 good"));
    }

    // Ctrl+C while the frames go out: the transfer is finished first, so the
    // tracker gets its whole image and the port is free at once for the next send.
    void ctrlCDuringTheTransferFinishesItFirst() {
        QVERIFY(startSimulator());
        QProcess config;
        config.start(KORVEL_CONFIG, {"send", "--port", "3", "--device-folder", folder_.path()});
        QByteArray out;
        while (!out.contains("Sending data on")) {
            QVERIFY(config.waitForReadyRead(10000));
            out += config.readAllStandardOutput();
        }
        ::kill(static_cast<pid_t>(config.processId()), SIGINT);
        QVERIFY(config.waitForFinished(10000));
        QCOMPARE(config.exitStatus(), QProcess::NormalExit);
        QCOMPARE(config.exitCode(), 130);
        QVERIFY((out + config.readAllStandardOutput()).contains("Data sent !"));
        QVERIFY(config.readAllStandardError().contains("interrupted; the transfer under way"));
        QVERIFY(simulatorOutput().contains("\nSuccess!\n"));
        cleanup();
        QVERIFY(startSimulator());
        QCOMPARE(send().exitCode, 0);
    }

    // A roster of `count` trackers, IK0ABC-1 and on, each with a beacon of its
    // own; the record starts empty.
    QString writeRoster(int count) {
        QFile::remove(record());
        QFile roster(folder_.filePath("roster.csv"));
        if (!roster.open(QIODevice::WriteOnly)) {
            return {};
        }
        roster.write("edMyCall,edBeacon\n");
        for (int i = 1; i <= count; ++i) {
            roster.write(QStringLiteral("IK0ABC-%1,\"Tracker %1, club net\"\n").arg(i).toUtf8());
        }
        return roster.fileName();
    }
    QProcess* startRoster(const QStringList& extra) {
        auto* config = new QProcess(this);
        config->start(KORVEL_CONFIG,
                      QStringList{"send", "--port", "3", "--device-folder", folder_.path(),
                                  "--roster", folder_.filePath("roster.csv"), "--record", record(),
                                  "--yes"} +
                          extra);
        return config;
    }
    QString record() const { return folder_.filePath("sent.jsonl"); }
    QString history() {
        QProcess config;
        config.start(KORVEL_CONFIG, {"history", record()});
        config.waitForFinished(5000);
        return QString::fromUtf8(config.readAllStandardOutput());
    }
    // The callsigns the simulator decoded, in the order it received them.
    static QStringList CallsignsIn(const QString& output) {
        QStringList calls;
        for (const QString& line : output.split('\n')) {
            if (line.trimmed().startsWith("edMyCall")) {
                calls << line.trimmed().split(' ', Qt::SkipEmptyParts).value(1);
            }
        }
        return calls;
    }
    QStringList receivedCallsigns() { return CallsignsIn(simulatorOutput()); }
    static QStringList Calls(int from, int to) {
        QStringList calls;
        for (int i = from; i <= to; ++i) {
            calls << QStringLiteral("IK0ABC-%1").arg(i);
        }
        return calls;
    }

private slots:
    void rosterProgramsEachTrackerWithItsOwnCallsign() {
        QVERIFY(!writeRoster(12).isEmpty());
        QVERIFY(startSimulator({"--count", "12"}));
        QProcess* config = startRoster({});
        QVERIFY(config->waitForFinished(90000));
        QCOMPARE(config->exitCode(), 0);
        const QString out = QString::fromUtf8(config->readAllStandardOutput());
        QVERIFY2(out.contains("Connect tracker 12 of 12 (IK0ABC-12)"), qPrintable(out));
        const QString received = simulatorOutput();
        QCOMPARE(simulator_.exitCode(), 0);
        QCOMPARE(CallsignsIn(received), Calls(1, 12));
        QCOMPARE(history().count(QStringLiteral("  sent  ")), 12);
        // decode, the program's own reader, against the simulator's decoder:
        // each recorded image gives back what the tracker read from the line.
        QFile records(record());
        QVERIFY(records.open(QIODevice::ReadOnly));
        int index = 0;
        for (const QByteArray& line : records.readAll().split('\n')) {
            if (line.isEmpty()) {
                continue;
            }
            QProcess decode;
            decode.start(KORVEL_CONFIG, {"decode"});
            decode.write(QJsonDocument::fromJson(line).object().value("image").toString().toUtf8());
            decode.closeWriteChannel();
            QVERIFY(decode.waitForFinished(5000));
            const QString fields = QString::fromUtf8(decode.readAllStandardOutput());
            ++index;
            const QString call = QStringLiteral("IK0ABC-%1").arg(index);
            const QString beacon = QStringLiteral("Tracker %1, club net").arg(index);
            QVERIFY2(fields.contains("edMyCall=" + call + "\n") &&
                         fields.contains("edBeacon=" + beacon + "\n"),
                     qPrintable(fields));
            QVERIFY(received.contains(QRegularExpression("edMyCall +" + call + " ")));
            QVERIFY(received.contains(QRegularExpression("edBeacon +" + beacon)));
        }
        QCOMPARE(index, 12);
    }

    // Ctrl+C in the middle of a roster: resumed, it sends only the trackers the
    // record does not show as sent.
    void anInterruptedRosterResumesWithTheRest() {
        QVERIFY(!writeRoster(12).isEmpty());
        QVERIFY(startSimulator({"--count", "12"}));
        QProcess* config = startRoster({});
        while (!config->readAllStandardOutput().contains("IK0ABC-4)")) {
            QVERIFY(config->waitForReadyRead(20000));
        }
        ::kill(static_cast<pid_t>(config->processId()), SIGINT);
        QVERIFY(config->waitForFinished(5000));
        // Stopped at once before a transfer, or after the one under way.
        QVERIFY(config->exitStatus() == QProcess::CrashExit || config->exitCode() == 130);
        cleanup();
        QStringList rest = Calls(1, 12);
        for (const QString& line : history().split('\n', Qt::SkipEmptyParts)) {
            const QStringList columns = line.split(QStringLiteral("  "));
            if (columns.value(1) == QLatin1String("sent")) {
                rest.removeAll(columns.value(3));
            }
        }
        QVERIFY2(rest.size() < 12 && rest.size() >= 8, qPrintable(rest.join(' ')));
        QVERIFY(startSimulator({"--count", QString::number(rest.size())}));
        QProcess* resumed = startRoster({"--resume"});
        QVERIFY(resumed->waitForFinished(90000));
        QCOMPARE(resumed->exitCode(), 0);
        QCOMPARE(receivedCallsigns(), rest);
    }

    // The tracker hangs up after the first frame: the failure is recorded with
    // its step, the roster stops, and --resume sends that tracker again.
    void aFailedSendIsRecordedAndResumable() {
        QVERIFY(!writeRoster(2).isEmpty());
        QVERIFY(startSimulator({"--hang-up-after-a"}));
        QProcess* config = startRoster({});
        QVERIFY(config->waitForFinished(30000));
        QCOMPARE(config->exitCode(), 3);
        QVERIFY(QString::fromUtf8(config->readAllStandardError()).contains("--resume"));
        cleanup();
        const QString failed = history();
        QVERIFY2(failed.contains("failed at writing frame") && failed.contains("IK0ABC-1"),
                 qPrintable(failed));
        QVERIFY(startSimulator({"--count", "2"}));
        QProcess* resumed = startRoster({"--resume"});
        QVERIFY(resumed->waitForFinished(30000));
        QCOMPARE(resumed->exitCode(), 0);
        QCOMPARE(receivedCallsigns(), Calls(1, 2));
    }
};

} // namespace korvel

QTEST_GUILESS_MAIN(korvel::SendEndToEndTest)
#include "SendEndToEndTest.moc"
