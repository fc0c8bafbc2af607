// Whole transfers: korvel-config send to the simulated tracker, through a
// pseudo-terminal reached as COM3 by a ttyUSB2 link in a device folder of the
// test's own.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
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
};

} // namespace korvel

QTEST_GUILESS_MAIN(korvel::SendEndToEndTest)
#include "SendEndToEndTest.moc"
