#include "transfer/EventDrivenSender.h"

#include "FactoryImage.h"
#include "FakeTransfer.h"
#include "transfer/Frames.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>

namespace korvel {
namespace {

// Pauses run 20 times shorter than on the line: about 80 ms for a transfer.
constexpr int kPauseDivisor = 20;

// A sender whose port is a fake that logs to `log`; `port` points at it.
struct Rig {
    test::Log log;
    test::FakeView view{log};
    test::FakePort* port = nullptr;
    std::string failAt;
    EventDrivenSender sender{nullptr,
                             [this] {
                                 auto fake = std::make_unique<test::FakePort>(log);
                                 fake->line().failAt = failAt;
                                 port = fake.get();
                                 return fake;
                             },
                             kPauseDivisor};
    QSignalSpy finished{&sender, &EventDrivenSender::finished};
};

} // namespace

class EventDrivenSenderTest : public QObject {
    Q_OBJECT

private slots:
    void runsThePlanThenFinishesOnce() {
        Rig rig;
        rig.sender.start(test::kFactoryImage, "3", rig.view);
        QVERIFY(rig.sender.isRunning());
        QVERIFY(rig.sender.isPortOpen());
        QVERIFY(rig.finished.isEmpty());
        QVERIFY(rig.finished.wait(5000));
        QTest::qWait(50); // a second emission would come now
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toString(), QString());
        QVERIFY(!rig.sender.isRunning());
        QVERIFY(!rig.sender.isPortOpen());
        const TransferFrames frames = BuildFrames(test::kFactoryImage);
        std::vector<std::uint8_t> wire = {0xFF, 0xFF};
        wire.insert(wire.end(), frames.a.begin(), frames.a.end());
        wire.insert(wire.end(), {0xFF, 0xFF});
        wire.insert(wire.end(), frames.b.begin(), frames.b.end());
        QVERIFY(rig.port->line().bytes == wire);
        QCOMPARE(rig.sender.lastResult().outcome, TransferOutcome::Sent);
        const test::Log expected = {
            "select 3",
            "open",
            "text \r\nSending data on COM3...",
            "ok hidden",
            "show",
            "text \r\nSending data on COM3....",
            "write 2",
            "write 58",
            "text \r\nSending data on COM3.....",
            "write 2",
            "write 58",
            "text \r\nSending data on COM3......",
            "close",
            "text Data sent !\r\n Be shure that the word 'Success!' appears on LCD",
            "ok shown",
        };
        QCOMPARE(rig.log, expected);
    }

    void failureStopsAtTheFailingStepWithThePortClosed_data() {
        QTest::addColumn<QString>("failAt");
        QTest::addColumn<Action>("failedAction");
        QTest::addColumn<int>("bytesOnLine");
        QTest::addColumn<bool>("dialogShown");
        QTest::addColumn<QString>("textLeft"); // the dialog's text the failure leaves
        QTest::addColumn<QStringList>("tail"); // the last things done

        const QString four = QStringLiteral("\r\nSending data on COM3....");
        QTest::newRow("select") << "select" << Action::SelectPort << 0 << false << ""
                                << QStringList{"select 3"};
        QTest::newRow("open") << "open" << Action::OpenPort << 0 << false << ""
                              << QStringList{"select 3", "open"};
        QTest::newRow("write1") << "write1" << Action::WriteMarker << 0 << true << four
                                << QStringList{"write 2", "close"};
        QTest::newRow("write2") << "write2" << Action::WriteFrameA << 2 << true << four
                                << QStringList{"write 58", "close"};
        QTest::newRow("write3") << "write3" << Action::WriteMarker << 60 << true << four + "."
                                << QStringList{"write 2", "close"};
        QTest::newRow("write4") << "write4" << Action::WriteFrameB << 62 << true << four + "."
                                << QStringList{"write 58", "close"};
        QTest::newRow("close") << "close" << Action::ClosePort << 120 << true << four + ".."
                               << QStringList{"text \r\nSending data on COM3......", "close"};
    }
    void failureStopsAtTheFailingStepWithThePortClosed() {
        QFETCH(QString, failAt);
        QFETCH(Action, failedAction);
        QFETCH(int, bytesOnLine);
        QFETCH(bool, dialogShown);
        QFETCH(QString, textLeft);
        QFETCH(QStringList, tail);
        Rig rig;
        rig.failAt = failAt.toStdString();
        rig.sender.start(test::kFactoryImage, "3", rig.view);
        if (failedAction == Action::SelectPort || failedAction == Action::OpenPort) {
            // selecting or opening: over before start() returns
            QCOMPARE(rig.finished.count(), 1);
        }
        QVERIFY(rig.finished.count() == 1 || rig.finished.wait(5000));
        QTest::qWait(20); // a second emission would come now
        QCOMPARE(rig.finished.count(), 1);
        const QString message = "COM3: " + failAt + " failed";
        QCOMPARE(rig.finished.at(0).at(0).toString(), message);
        QCOMPARE(rig.sender.lastResult().outcome, TransferOutcome::Failed);
        QCOMPARE(rig.sender.lastResult().failedAction, std::optional(failedAction));
        QVERIFY(!rig.sender.isRunning());
        QVERIFY(!rig.sender.isPortOpen());
        QCOMPARE(rig.port->line().bytes.size(), std::size_t(bytesOnLine));
        QCOMPARE(rig.view.shown, dialogShown);
        QCOMPARE(QString::fromStdString(rig.view.text_), textLeft);
        QCOMPARE(rig.view.okVisible, !dialogShown);
        // Nothing happens after the failing operation but closing a port left open.
        QStringList last;
        for (auto it = rig.log.end() - tail.size(); it != rig.log.end(); ++it) {
            last << QString::fromStdString(*it);
        }
        QCOMPARE(last, tail);
    }

    // A message box or file dialog opened during a transfer runs an event loop of
    // its own; the transfer must go on and end inside it.
    void endsWhileAModalLoopRuns() {
        Rig rig;
        bool finishedInsideModal = false;
        QEventLoop modal;
        QObject::connect(&rig.sender, &EventDrivenSender::finished, &modal, [&] {
            finishedInsideModal = modal.isRunning();
            modal.quit();
        });
        QTimer::singleShot(5000, &modal, &QEventLoop::quit);
        QTimer::singleShot(1, &modal, [&] { modal.exec(); });
        rig.sender.start(test::kFactoryImage, "3", rig.view);
        QVERIFY(rig.finished.wait(6000) || rig.finished.count() == 1);
        QVERIFY(finishedInsideModal);
        QCOMPARE(rig.port->line().bytes.size(), std::size_t{120});
    }

    void destroyingTheSenderMidTransferClosesThePort() {
        test::Log log;
        test::FakeView view{log};
        test::FakePort* port = nullptr;
        {
            EventDrivenSender sender{nullptr,
                                     [&] {
                                         auto fake = std::make_unique<test::FakePort>(log);
                                         port = fake.get();
                                         return fake;
                                     },
                                     kPauseDivisor};
            sender.start(test::kFactoryImage, "3", view);
            QVERIFY(sender.isPortOpen());
            log.clear();
        }
        QCOMPARE(log, test::Log{"close"});
    }

    void startsAgainAfterATransfer() {
        Rig rig;
        rig.sender.start(test::kFactoryImage, "3", rig.view);
        QVERIFY(rig.finished.wait(5000));
        rig.log.clear();
        rig.sender.start(test::kFactoryImage, "4", rig.view);
        QCOMPARE(rig.log.at(2), std::string("text \r\nSending data on COM4..."));
        QCOMPARE(rig.log.at(3), std::string("ok hidden"));
        QVERIFY(rig.finished.wait(5000));
        QCOMPARE(rig.finished.count(), 2);
    }
};

} // namespace korvel

QTEST_GUILESS_MAIN(korvel::EventDrivenSenderTest)
#include "EventDrivenSenderTest.moc"
