#include "PseudoTerminal.h"
#include "transfer/PortResolver.h"
#include "transfer/QtSerialPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace korvel {
namespace {

void Touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// What arrived on the simulator's side of the line within `ms`.
QByteArray ReadLine(int fd, int ms = 200) {
    QByteArray bytes;
    pollfd ready{fd, POLLIN, 0};
    while (::poll(&ready, 1, ms) > 0) {
        char buffer[256];
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count <= 0) {
            break;
        }
        bytes.append(buffer, count);
        ms = 20;
    }
    return bytes;
}

QString Text(const std::optional<std::string>& message) {
    return message ? QString::fromStdString(*message) : QString();
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

    void aPortHeldByAnotherProgramIsBusy() {
        sim::PseudoTerminal line;
        const QString device = QString::fromStdString(line.device());
        QtSerialPort first(QString(), device);
        QtSerialPort second(QString(), device);
        QCOMPARE(Text(first.select(1)), QString());
        QCOMPARE(Text(first.open()), QString());
        QCOMPARE(Text(second.select(1)), QString());
        const QString busy = Text(second.open());
        QVERIFY2(busy.contains("busy"), qPrintable(busy));
        QVERIFY(busy.startsWith(device));
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
        const QString error = Text(port.write(marker));
        QVERIFY2(error.startsWith("COM1 (" + folder.filePath("ttyUSB0") + "): the device stopped"),
                 qPrintable(error));
        QVERIFY(!error.contains("Unknown error", Qt::CaseInsensitive));
    }

    void permissionDeniedNamesTheGroup() {
        if (::geteuid() == 0) {
            QSKIP("root may open any device");
        }
        QTemporaryDir folder;
        const QString device = folder.filePath("ttyUSB0");
        Touch(device);
        QFile::setPermissions(device, QFileDevice::ReadOwner);
        QtSerialPort port(folder.path());
        QCOMPARE(Text(port.select(1)), QString());
        const QString denied = Text(port.open());
        QVERIFY2(denied.contains("permission denied"), qPrintable(denied));
        QVERIFY(denied.contains("'" + QFileInfo(device).group() + "'"));
    }
};

} // namespace korvel

QTEST_GUILESS_MAIN(korvel::SerialPortTest)
#include "SerialPortTest.moc"
