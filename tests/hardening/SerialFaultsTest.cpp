// Faults on the serial line during SEND from the window, end to end: the real
// serial-port layer on a pseudo-terminal that COM1 resolves to. Each fault is
// brought about at a precise point of the transfer by a port that wraps the
// real one and acts on the line between two calls. After each fault the
// message must name the port and the cause, the port must be closed, SEND
// enabled, the window closable, and the next transfer, with the simulated
// tracker on the line again, must arrive whole.

#include "PseudoTerminal.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/QtSerialPort.h"
#include "ui/Dialog.h"
#include "ui/MessageBox.h"
#include "ui/Setup.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace korvel;

namespace {

enum class Fault {
    PortHeldByAnotherProgram,
    VanishesBeforeOpening,
    VanishesAfterFirstMarker,
    VanishesAfterFrameA,
    WriteStalls,
    PermissionDenied,
};

// Pauses of the transfer shortened tenfold: the order of the steps is what counts here.
constexpr int kPauseDivisor = 10;

// Runs `open` as an unprivileged user when the test runs as root (root opens
// any device); otherwise with the device made read-only for its owner.
PortResult OpenWithoutPermission(const QString& device, const std::function<PortResult()>& open) {
    const QByteArray path = QFile::encodeName(QFileInfo(device).canonicalFilePath());
    if (::geteuid() != 0) {
        struct stat before {};
        ::stat(path.constData(), &before);
        ::chmod(path.constData(), S_IRUSR);
        auto result = open();
        ::chmod(path.constData(), before.st_mode & 07777);
        return result;
    }
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 65534;
    const gid_t gid = nobody ? nobody->pw_gid : 65534;
    // Real and effective ids change, so that access() sees the same user as
    // open(); the saved id stays root so that the test can come back.
    if (::setresgid(gid, gid, 0) != 0 || ::setresuid(uid, uid, 0) != 0) {
        return Failure{"the test could not drop its privileges"};
    }
    auto result = open();
    if (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0) {
        qFatal("the test could not take back its privileges");
    }
    return result;
}

// The line under test, and what each fault does to it.
struct Rig {
    QString devices;
    QString link;
    std::unique_ptr<sim::PseudoTerminal> line;
    std::unique_ptr<QtSerialPort> holder; // another program holding the port
    Fault fault = Fault::PortHeldByAnotherProgram;
    bool armed = false; // the fault acts on the first transfer only

    void hangUp() { line.reset(); }

    void release() {
        holder.reset();
        line.reset();
    }
};

// The real serial port, with the rig acting on the line between its calls.
class FaultyPort : public SerialPort {
public:
    explicit FaultyPort(Rig& rig) : rig_(rig), port_(rig.devices) {}

    PortResult select(int number) override {
        auto result = port_.select(number);
        if (act(Fault::VanishesBeforeOpening)) {
            rig_.hangUp();
        }
        return result;
    }
    PortResult open() override {
        if (act(Fault::PermissionDenied)) {
            return OpenWithoutPermission(port_.device(), [this] { return port_.open(); });
        }
        return port_.open();
    }
    bool isOpen() const override { return port_.isOpen(); }
    PortResult write(std::span<const std::uint8_t> bytes) override {
        auto result = port_.write(bytes);
        ++writes_;
        if (writes_ == 1 && act(Fault::VanishesAfterFirstMarker)) {
            rig_.hangUp();
        } else if (writes_ == 1 && act(Fault::WriteStalls)) {
            rig_.line->suspendOutput();
        } else if (writes_ == 2 && act(Fault::VanishesAfterFrameA)) {
            rig_.hangUp();
        }
        return result;
    }
    PortResult close() override { return port_.close(); }

private:
    bool act(Fault fault) const { return rig_.armed && rig_.fault == fault; }

    Rig& rig_;
    QtSerialPort port_;
    int writes_ = 0;
};

} // namespace

class SerialFaultsTest : public QObject {
    Q_OBJECT

    // Presses SEND and waits until the command has ended.
    static bool Send(Setup& setup) {
        QTest::mouseClick(setup.controls().cmdSend, Qt::LeftButton);
        return QTest::qWaitFor([&] { return setup.controls().cmdSend->isEnabled(); }, 10000);
    }

private slots:
    void initTestCase() { MessageBox::setRecording(true); }

    void faultThenRecovery_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<bool>("dialogShown");
        QTest::newRow("port held by another program")
            << Fault::PortHeldByAnotherProgram << "the port is busy" << false;
        QTest::newRow("device vanishes before opening")
            << Fault::VanishesBeforeOpening << "does not exist" << false;
        QTest::newRow("device vanishes after the first marker")
            << Fault::VanishesAfterFirstMarker << "stopped taking data" << true;
        QTest::newRow("device vanishes after frame A")
            << Fault::VanishesAfterFrameA << "stopped taking data" << true;
        QTest::newRow("line stops taking data") << Fault::WriteStalls << "took no data for" << true;
        QTest::newRow("permission denied")
            << Fault::PermissionDenied << "permission denied" << false;
    }
    void faultThenRecovery() {
        QFETCH(Fault, fault);
        QFETCH(QString, cause);
        QFETCH(bool, dialogShown);

        QTemporaryDir folder;
        // Open to everyone, as /dev is: only the device itself may refuse.
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ExeOwner | QFile::ReadOther |
                                                 QFile::ExeOther | QFile::ReadGroup |
                                                 QFile::ExeGroup);
        Rig rig;
        rig.devices = folder.path();
        rig.link = folder.filePath(QStringLiteral("ttyUSB0"));
        rig.line = std::make_unique<sim::PseudoTerminal>();
        rig.line->link(QFile::encodeName(rig.link).toStdString());
        rig.fault = fault;
        rig.armed = true;
        if (fault == Fault::PortHeldByAnotherProgram) {
            rig.holder = std::make_unique<QtSerialPort>(QString(), rig.link);
            QVERIFY(rig.holder->select(1) && rig.holder->open());
        }

        Setup setup(std::make_unique<EventDrivenSender>(
            nullptr, [&rig] { return std::make_unique<FaultyPort>(rig); }, kPauseDivisor));
        setup.show();
        QVERIFY(Send(setup));

        const QList<MessageBox::Shown> boxes = MessageBox::takeRecorded();
        QCOMPARE(boxes.size(), 1);
        const QString& message = boxes.front().text;
        QVERIFY2(message.startsWith("COM1 (" + rig.link + ")"), qPrintable(message));
        QVERIFY2(message.contains(cause), qPrintable(message));
        QCOMPARE(boxes.front().icon, MessageBox::Icon::None);
        // Joining root's group is never the advice, nor joining one the user is in.
        QVERIFY2(!message.contains("group 'root'"), qPrintable(message));
        if (::geteuid() != 0) {
            QVERIFY2(!message.contains("group '" + QFileInfo(rig.link).group() + "'"),
                     qPrintable(message));
        }
        QVERIFY(!setup.isPortOpen());
        Dialog* dialog = setup.resultDialog();
        QCOMPARE(dialog != nullptr && dialog->isVisible(), dialogShown);
        if (dialog) {
            QVERIFY(!dialog->text().starts_with("Data sent"));
        }
        QVERIFY(setup.close());
        qInfo("%s", qPrintable(message));

        // Our port let go of the device: another program may open it now.
        rig.armed = false;
        rig.holder.reset();
        if (rig.line) {
            QtSerialPort other(QString(), rig.link);
            QVERIFY(other.select(1));
            const auto opened = other.open();
            QVERIFY2(opened, opened ? "" : opened.error().c_str());
        }

        // The simulated tracker back on the line, and the same window again.
        rig.release();
        QProcess tracker;
        tracker.start(
            QStringLiteral(KORVEL_TRACKER_SIM),
            {QStringLiteral("--link"), rig.link, QStringLiteral("--timeout"), QStringLiteral("3")});
        QVERIFY(tracker.waitForStarted(5000) && tracker.waitForReadyRead(5000));
        QTRY_VERIFY(QFileInfo(rig.link).isSymLink());
        setup.show();
        QVERIFY(Send(setup));
        const QList<MessageBox::Shown> after = MessageBox::takeRecorded();
        QVERIFY2(after.isEmpty(), after.isEmpty() ? "" : qPrintable(after.front().text));
        QVERIFY(setup.resultDialog()->text().starts_with("Data sent !"));
        QVERIFY(tracker.state() == QProcess::NotRunning || tracker.waitForFinished(10000));
        const QString received = QString::fromUtf8(tracker.readAllStandardOutput());
        QCOMPARE(tracker.exitCode(), 0);
        QVERIFY2(received.contains(QLatin1String("\nSuccess!\n")), qPrintable(received));
        QVERIFY2(received.contains(QLatin1String("NOCALL-9")), qPrintable(received));
        QVERIFY(setup.close());
    }

    // The failure's box is modal and opens from the transfer's own timer: while
    // it is open the port is closed and SEND stays disabled, and closing it
    // ends the command. A real box, closed by a timer, not a recorded one.
    void aFailureBoxMidTransferHoldsSendWithThePortClosed() {
        MessageBox::setRecording(false);
        QTemporaryDir folder;
        const QString devices = folder.path();
        sim::PseudoTerminal line;
        line.link(QFile::encodeName(folder.filePath(QStringLiteral("ttyUSB0"))).toStdString());
        Setup setup(std::make_unique<EventDrivenSender>(
            nullptr, [devices] { return std::make_unique<QtSerialPort>(devices); }, kPauseDivisor));
        setup.show();
        QVERIFY(setup.setText(Field::edMyCall, "IK0ABC-9")); // SEND asks nothing first
        QString shown;
        bool sendDisabled = false;
        bool portClosed = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                sendDisabled = !setup.controls().cmdSend->isEnabled();
                portClosed = !setup.isPortOpen();
                box->button(QMessageBox::Ok)->click();
            }
        });
        closer.start(10);
        setup.controls().cmdSend->click();
        line.suspendOutput(); // the port is open; the first marker has not gone yet
        QVERIFY(QTest::qWaitFor([&] { return setup.controls().cmdSend->isEnabled(); }, 10000));
        closer.stop();
        MessageBox::setRecording(true);
        QVERIFY2(shown.contains("took no data for"), qPrintable(shown));
        QVERIFY(sendDisabled);
        QVERIFY(portClosed);
        QVERIFY(setup.close());
    }
};

QTEST_MAIN(SerialFaultsTest)
#include "SerialFaultsTest.moc"
