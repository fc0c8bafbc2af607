// The whole road of one Send from the window: SEND with the factory defaults,
// through a real serial port (a pseudo-terminal that COM1 resolves to in a
// device folder of the test's own) to the simulated tracker.

#include "transfer/EventDrivenSender.h"
#include "transfer/QtSerialPort.h"
#include "ui/Dialog.h"
#include "ui/MessageBox.h"
#include "ui/Setup.h"

#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel;

class SetupTrackerTest : public QObject {
    Q_OBJECT

private slots:
    void sendWithTheDefaultsReachesTheSimulatedTracker() {
        MessageBox::setRecording(true);
        QTemporaryDir folder;
        const QString link = folder.filePath(QStringLiteral("ttyUSB0"));
        QProcess tracker;
        tracker.start(
            QStringLiteral(KORVEL_TRACKER_SIM),
            {QStringLiteral("--link"), link, QStringLiteral("--timeout"), QStringLiteral("3")});
        QVERIFY(tracker.waitForStarted(5000));
        QVERIFY(tracker.waitForReadyRead(5000));
        QTRY_VERIFY(QFileInfo(link).isSymLink());

        const QString devices = folder.path();
        Setup setup(std::make_unique<EventDrivenSender>(
            nullptr, [devices] { return std::make_unique<QtSerialPort>(devices); }));
        setup.show();
        QTest::mouseClick(setup.controls().cmdSend, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(setup.controls().cmdSend->isEnabled(), 10000);

        QVERIFY(MessageBox::takeRecorded().isEmpty());
        QVERIFY(setup.resultDialog()->text().starts_with("Data sent !"));
        QVERIFY(tracker.state() == QProcess::NotRunning || tracker.waitForFinished(10000));
        const QString received = QString::fromUtf8(tracker.readAllStandardOutput());
        QCOMPARE(tracker.exitCode(), 0);
        QVERIFY2(received.contains(QLatin1String("Success!")), qPrintable(received));
        QVERIFY2(received.contains(QLatin1String("NOCALL-9")), qPrintable(received));
    }
};

QTEST_MAIN(SetupTrackerTest)
#include "SetupTrackerTest.moc"
