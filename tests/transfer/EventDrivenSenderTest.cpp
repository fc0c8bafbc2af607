#include "transfer/EventDrivenSender.h"

#include "DefaultImage.h"
#include "FakeTransfer.h"

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
                                 fake->failAt = failAt;
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
        rig.sender.start(test::kDefaultImage, "3", rig.view);
        QVERIFY(rig.sender.isRunning());
        QVERIFY(rig.sender.isPortOpen());
        QVERIFY(rig.finished.isEmpty());
        QVERIFY(rig.finished.wait(5000));
        QTest::qWait(50); // a second emission would come now
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toString(), QString());
        QVERIFY(!rig.sender.isRunning());
        QVERIFY(!rig.sender.isPortOpen());
        QCOMPARE(rig.port->line.size(), std::size_t{120});
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

    void failureAtOpeningFinishesBeforeStartReturns() {
        Rig rig;
        rig.failAt = "open";
        rig.sender.start(test::kDefaultImage, "3", rig.view);
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toString(), QStringLiteral("COM3: open failed"));
        QVERIFY(!rig.view.shown);
        QVERIFY(!rig.sender.isRunning());
    }

    void failureMidTransferClosesThePortAndKeepsTheProgress() {
        Rig rig;
        rig.failAt = "write3";
        rig.sender.start(test::kDefaultImage, "3", rig.view);
        QVERIFY(rig.finished.wait(5000));
        QCOMPARE(rig.finished.count(), 1);
        QCOMPARE(rig.finished.at(0).at(0).toString(), QStringLiteral("COM3: write3 failed"));
        QVERIFY(!rig.sender.isPortOpen());
        QCOMPARE(rig.log.back(), std::string("close"));
        QCOMPARE(rig.view.text_, std::string("\r\nSending data on COM3....."));
        QVERIFY(!rig.view.okVisible);
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
        rig.sender.start(test::kDefaultImage, "3", rig.view);
        QVERIFY(rig.finished.wait(6000) || rig.finished.count() == 1);
        QVERIFY(finishedInsideModal);
        QCOMPARE(rig.port->line.size(), std::size_t{120});
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
            sender.start(test::kDefaultImage, "3", view);
            QVERIFY(sender.isPortOpen());
            log.clear();
        }
        QCOMPARE(log, test::Log{"close"});
    }

    void startsAgainAfterATransfer() {
        Rig rig;
        rig.sender.start(test::kDefaultImage, "3", rig.view);
        QVERIFY(rig.finished.wait(5000));
        rig.log.clear();
        rig.sender.start(test::kDefaultImage, "4", rig.view);
        QCOMPARE(rig.log.at(2), std::string("text \r\nSending data on COM4..."));
        QCOMPARE(rig.log.at(3), std::string("ok hidden"));
        QVERIFY(rig.finished.wait(5000));
        QCOMPARE(rig.finished.count(), 2);
    }
};

} // namespace korvel

QTEST_GUILESS_MAIN(korvel::EventDrivenSenderTest)
#include "EventDrivenSenderTest.moc"
