#include "FactoryImage.h"
#include "FakeTransfer.h"
#include "PseudoTerminal.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/PortAccess.h"
#include "transfer/PortResolver.h"
#include "transfer/QtSerialPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace korvel {
namespace {

void Touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// What arrived on the simulator's side of the line within `ms`, with the
// event loop running meanwhile: the port hands its bytes over from there.
QByteArray ReadLine(int fd, int ms = 200) {
    QByteArray bytes;
    static_cast<void>(QTest::qWaitFor(
        [&] {
            pollfd ready{fd, POLLIN, 0};
            char buffer[256];
            while (::poll(&ready, 1, 0) > 0) {
                const ssize_t count = ::read(fd, buffer, sizeof buffer);
                if (count <= 0) {
                    return true;
                }
                bytes.append(buffer, count);
            }
            return false;
        },
        ms));
    return bytes;
}

// The failure's message; empty when the call worked.
QString Text(const PortResult& result) {
    return result ? QString() : QString::fromStdString(result.error());
}

} // namespace

class SerialPortTest : public QObject {
    Q_OBJECT

private slots:
    void linuxLookupTakesTheFirstThatExists_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("usb adapter first")
            << QStringList{"ttyUSB2", "ttyACM2", "ttyS2"} << 3 << "ttyUSB2";
        QTest::newRow("then acm") << QStringList{"ttyACM0", "ttyS0"} << 1 << "ttyACM0";
        QTest::newRow("then built-in") << QStringList{"ttyS0", "ttyUSB1"} << 1 << "ttyS0";
        QTest::newRow("none") << QStringList{"ttyUSB0", "ttyS1"} << 3 << "";
    }
    void linuxLookupTakesTheFirstThatExists() {
        QFETCH(QStringList, present);
        QFETCH(int, number);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        for (const QString& name : present) {
            Touch(folder.filePath(name));
        }
        const PortLookup lookup = ResolveLinuxPort(number, folder.path());
        QCOMPARE(lookup.device.value_or(folder.filePath("")), folder.filePath(expected));
        const QString n = QString::number(number - 1);
        QCOMPARE(lookup.lookedFor,
                 (QStringList{folder.filePath("ttyUSB" + n), folder.filePath("ttyACM" + n),
                              folder.filePath("ttyS" + n)}));
    }

    void danglingLinkDoesNotCount() {
        QTemporaryDir folder;
        QVERIFY(QFile::link(folder.filePath("gone"), folder.filePath("ttyUSB2")));
        const PortLookup lookup = ResolveLinuxPort(3, folder.path());
        QVERIFY(!lookup.device);
        QCOMPARE(lookup.lookedFor.at(0), folder.filePath("ttyUSB2") + " (a link to " +
                                             folder.filePath("gone") + ", which is gone)");
    }

    void macLookupTakesTheNthSortedCuDevice() {
        QTemporaryDir folder;
        for (const char* name :
             {"cu.usbserial-2", "tty.usbserial-1", "cu.Bluetooth", "cu.usbserial-1"}) {
            Touch(folder.filePath(name));
        }
        QCOMPARE(*ResolveMacPort(1, folder.path()).device, folder.filePath("cu.Bluetooth"));
        QCOMPARE(*ResolveMacPort(3, folder.path()).device, folder.filePath("cu.usbserial-2"));
        QVERIFY(!ResolveMacPort(4, folder.path()).device);
        QCOMPARE(*ResolveWindowsPort(12).device, QStringLiteral("COM12"));
    }

    void noPortChosenOrNoSuchPortSaySo() {
        QTemporaryDir folder;
        QtSerialPort port(folder.path());
        const QString none = Text(port.select(0));
        QVERIFY2(none.contains("'Comm num:' is empty or 0"), qPrintable(none));
        const QString missing = Text(port.select(3));
        QVERIFY2(missing.startsWith("COM3: no such serial port"), qPrintable(missing));
        QVERIFY(missing.contains(folder.filePath("ttyUSB2")));
        QVERIFY(missing.contains(folder.filePath("ttyS2")));
    }

    void writesTheBytesToTheLine() {
        sim::PseudoTerminal line;
        QTemporaryDir folder;
        QVERIFY(QFile::link(QString::fromStdString(line.device()), folder.filePath("ttyUSB0")));
        QtSerialPort port(folder.path());
        QCOMPARE(Text(port.select(1)), QString());
        QCOMPARE(Text(port.open()), QString());
        QVERIFY(port.isOpen());
        const std::array<std::uint8_t, 4> bytes = {0xFF, 0xFF, 0x00, 0x0A};
        QCOMPARE(Text(port.write(bytes)), QString());
        QCOMPARE(ReadLine(line.masterFd()), QByteArray("\xFF\xFF\x00\x0A", 4));
        QCOMPARE(Text(port.close()), QString());
        QVERIFY(!port.isOpen());
    }

    // One device is one port, by whichever name each program reaches it.
    void aPortHeldByAnotherProgramIsBusy_data() {
        QTest::addColumn<bool>("firstByLink");
        QTest::addColumn<bool>("secondByLink");
        QTest::newRow("same name") << false << false;
        QTest::newRow("link, then its target") << true << false;
        QTest::newRow("target, then a link") << false << true;
    }
    void aPortHeldByAnotherProgramIsBusy() {
        QFETCH(bool, firstByLink);
        QFETCH(bool, secondByLink);
        sim::PseudoTerminal line;
        QTemporaryDir folder;
        const QString device = QString::fromStdString(line.device());
        const QString link = folder.filePath("ttyUSB0");
        QVERIFY(QFile::link(device, link));
        QtSerialPort first(QString(), firstByLink ? link : device);
        QtSerialPort second(QString(), secondByLink ? link : device);
        QCOMPARE(Text(first.select(1)), QString());
        QCOMPARE(Text(first.open()), QString());
        QCOMPARE(Text(second.select(1)), QString());
        const QString busy = Text(second.open());
        QVERIFY2(busy.contains("busy"), qPrintable(busy));
        QVERIFY(busy.startsWith(secondByLink ? link : device));
    }

    void aClosedLineFailsTheWriteWithAMessage() {
        sim::PseudoTerminal line;
        QTemporaryDir folder;
        QVERIFY(QFile::link(QString::fromStdString(line.device()), folder.filePath("ttyUSB0")));
        QtSerialPort port(folder.path());
        QCOMPARE(Text(port.select(1)), QString());
        QCOMPARE(Text(port.open()), QString());
        line.close();
        const std::array<std::uint8_t, 2> marker = {0xFF, 0xFF};
        // The write only hands the bytes over; the next use of the port reports
        // that they could not go.
        QCOMPARE(Text(port.write(marker)), QString());
        QTest::qWait(20);
        const QString error = Text(port.write(marker));
        QVERIFY2(error.startsWith("COM1 (" + folder.filePath("ttyUSB0") + "): the device stopped"),
                 qPrintable(error));
        QVERIFY(!error.contains("Unknown error", Qt::CaseInsensitive));
    }

    // Each reason the device cannot be opened by its path has its own words.
    void openingFailsWithTheReason_data() {
        QTest::addColumn<QString>("name"); // in the test's folder
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing folder") << "gone/ttyUSB0"
                                        << "does not exist. Check the device's";
        QTest::newRow("vanished device") << "ttyUSB0"
                                         << "the device does not exist (any more)";
        QTest::newRow("name too long") << QString(300, 'x') << "too long";
        QTest::newRow("part not a folder") << "file/ttyUSB0"
                                           << "not a folder";
        QTest::newRow("no permission") << "readonly"
                                       << "permission denied";
    }
    void openingFailsWithTheReason() {
        QFETCH(QString, name);
        QFETCH(QString, cause);
        QTemporaryDir folder;
        Touch(folder.filePath("file"));
        Touch(folder.filePath("readonly"));
        QFile::setPermissions(folder.filePath("readonly"), QFileDevice::ReadOwner);
        if (name == "readonly" && ::access(QFile::encodeName(folder.filePath(name)), W_OK) == 0) {
            QSKIP("this user may write to any file (root)");
        }
        QtSerialPort port(QString(), folder.filePath(name));
        QCOMPARE(Text(port.select(1)), QString());
        const QString failure = Text(port.open());
        QVERIFY2(failure.startsWith(folder.filePath(name) + ": "), qPrintable(failure));
        QVERIFY2(failure.contains(cause), qPrintable(failure));
        QVERIFY2(!failure.contains("'root'"), qPrintable(failure));
        QVERIFY(!port.isOpen());
    }

    // The advice names a group to join only when joining it would help.
    void permissionAdviceNamesOnlyAGroupWorthJoining_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("systems"); // one of the system's own groups
        QTest::addColumn<bool>("mayReadWrite");
        QTest::addColumn<bool>("listed");  // the user is in it already
        QTest::addColumn<QString>("join"); // the group named, or none
        QTest::newRow("dialout") << "dialout" << false << true << false << "dialout";
        QTest::newRow("uucp") << "uucp" << false << true << false << "uucp";
        QTest::newRow("a people's group") << "radio" << false << true << false << "radio";
        QTest::newRow("root") << "root" << true << true << false << "";
        QTest::newRow("another system group") << "disk" << true << true << false << "";
        QTest::newRow("group may not read and write") << "dialout" << false << false << false << "";
        QTest::newRow("the user's own group") << "tester" << false << true << true << "";
    }
    void permissionAdviceNamesOnlyAGroupWorthJoining() {
        QFETCH(QString, group);
        QFETCH(bool, systems);
        QFETCH(bool, mayReadWrite);
        QFETCH(bool, listed);
        QFETCH(QString, join);
        AccessFacts facts;
        facts.device = QStringLiteral("/dev/ttyUSB0");
        facts.error = EACCES;
        facts.owner = QStringLiteral("root");
        facts.group = group;
        facts.mode = QStringLiteral("crw-rw----");
        facts.groupMayReadWrite = mayReadWrite;
        facts.groupIsRoot = group == QLatin1String("root");
        facts.groupIsSystems = systems;
        facts.userListedInGroup = listed;
        facts.loginHasGroup = listed;
        const PortAccess advice = AdviseAccess(facts);
        QVERIFY(!advice.mayOpen);
        const QString usermod = QStringLiteral("usermod -aG ");
        QCOMPARE(advice.fix.contains(usermod + group), !join.isEmpty());
        QVERIFY2(join.isEmpty() || advice.problem.contains("'" + join + "'"),
                 qPrintable(advice.problem));
        QVERIFY2(!advice.fix.contains(usermod + "root"), qPrintable(advice.fix));
    }

    // A port that stops taking data fails the transfer at the next step that
    // uses it, with the port closed; the write itself never waits.
    void aStuckLineFailsTheNextStepWithThePortClosed() {
        sim::PseudoTerminal line;
        QTemporaryDir folder;
        QVERIFY(QFile::link(QString::fromStdString(line.device()), folder.filePath("ttyUSB0")));
        const QString devices = folder.path();
        EventDrivenSender sender(
            nullptr, [devices] { return std::make_unique<QtSerialPort>(devices); }, 20);
        QSignalSpy finished(&sender, &EventDrivenSender::finished);
        test::Log log;
        test::FakeView view{log};
        sender.start(test::kFactoryImage, "1", view);
        QVERIFY(sender.isPortOpen());
        line.suspendOutput(); // before the first marker, 20 ms on
        QVERIFY(finished.wait(5000));
        const QString error = finished.at(0).at(0).toString();
        QVERIFY2(error.startsWith("COM1 (" + folder.filePath("ttyUSB0") +
                                  "): the port took no "
                                  "data"),
                 qPrintable(error));
        QVERIFY2(error.contains("2 bytes never left"), qPrintable(error));
        QCOMPARE(sender.lastResult().failedAction,
                 std::optional(Action::WriteFrameA)); // after the marker
        QVERIFY(!sender.isPortOpen());
        line.resumeOutput();
        QCOMPARE(ReadLine(line.masterFd(), 50), QByteArray());
    }
};

} // namespace korvel

QTEST_GUILESS_MAIN(korvel::SerialPortTest)
#include "SerialPortTest.moc"
