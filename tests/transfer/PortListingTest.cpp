// The serial ports present and the COM numbers that reach them, over device
// trees of the test's own: listing, mapping, the access advice, and the ports
// command's text and JSON.

#include "FakeDeviceTree.h"
#include "transfer/PortAccess.h"
#include "transfer/PortResolver.h"
#include "transfer/PortWording.h"
#include "transfer/QtSerialPort.h"
#include "transfer/SerialPortListing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <cerrno>

Q_DECLARE_METATYPE(korvel::AccessFacts)

namespace korvel {

using test::FakeDeviceTree;

namespace {

const QString kFtdi = QStringLiteral("usb:ttyUSB0:0403:6001:FTDI:FT232R USB UART:A12345");
const QString kArduino = QStringLiteral("usb:ttyACM0:2341:0043:Arduino LLC:Arduino Uno:");

// One port in a line, with the tree's folder left out.
QString Render(const FakeDeviceTree& fake, const DetectedPort& port) {
    QString line =
        (port.comNumber ? QStringLiteral("COM%1").arg(*port.comNumber) : QStringLiteral("-")) +
        QLatin1Char(' ') + PortSummary(port);
    if (!port.stableName.isEmpty()) {
        line += QStringLiteral(" = ") + QFileInfo(port.stableName).fileName();
    }
    for (const QString& extra : {port.serialNumber, port.usbId, port.noComNumber}) {
        if (!extra.isEmpty()) {
            line += QStringLiteral(" | ") + extra;
        }
    }
    return line.replace(fake.devices() + QLatin1Char('/'), QString());
}

QString RenderLookup(const FakeDeviceTree& fake, int number) {
    const PortLookup lookup = ResolvePort(number, fake.tree());
    return (QStringLiteral("COM%1 %2: %3")
                .arg(number)
                .arg(lookup.device.value_or(QStringLiteral("-")),
                     lookup.lookedFor.join(QStringLiteral(", "))))
        .replace(fake.devices() + QLatin1Char('/'), QString());
}

} // namespace

class PortListingTest : public QObject {
    Q_OBJECT

private slots:
    void listsThePortsPresentWithTheirComNumbers_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("lookups");
        QTest::newRow("usb adapter with its stable name")
            << QStringList{kFtdi}
            << QStringList{"COM1 ttyUSB0, FT232R USB UART (FTDI) = "
                           "usb-FTDI_FT232R_USB_UART_A12345-if00-port0 | A12345 | 0403:6001"}
            << QStringList{"COM1 ttyUSB0: ttyUSB0, ttyACM0, ttyS0"};
        QTest::newRow("acm device behind a usb adapter of the same index")
            << QStringList{kArduino, kFtdi}
            << QStringList{"COM1 ttyUSB0, FT232R USB UART (FTDI) = "
                           "usb-FTDI_FT232R_USB_UART_A12345-if00-port0 | A12345 | 0403:6001",
                           "- ttyACM0, Arduino Uno (Arduino LLC) = "
                           "usb-Arduino_LLC_Arduino_Uno_-if00-port0 | 2341:0043 | "
                           "COM1 reaches ttyUSB0"}
            << QStringList{};
        QTest::newRow("built-in port with a uart")
            << QStringList{"uart:ttyS0:4", "uart:ttyS1:99"}
            << QStringList{"COM1 ttyS0, built-in serial port (16550A)",
                           "COM2 ttyS1, built-in serial port (UART type 99)"}
            << QStringList{"COM1 ttyS0: ttyUSB0, ttyACM0, ttyS0"};
        QTest::newRow("built-in ports without a uart are left out")
            << QStringList{"uart:ttyS0:0", "placeholder:ttyS1", "node:ttyS2", "nohardware:ttyS3"}
            << QStringList{}
            << QStringList{"COM1 -: ttyUSB0, ttyACM0, ttyS0 (no UART stands behind it)",
                           "COM2 -: ttyUSB1, ttyACM1, ttyS1 (no UART stands behind it)",
                           "COM3 -: ttyUSB2, ttyACM2, ttyS2 (the kernel knows no such port)",
                           "COM4 -: ttyUSB3, ttyACM3, ttyS3 (no hardware stands behind it)"};
        QTest::newRow("usb adapter before the built-in port")
            << QStringList{"uart:ttyS0:4", kFtdi}
            << QStringList{"COM1 ttyUSB0, FT232R USB UART (FTDI) = "
                           "usb-FTDI_FT232R_USB_UART_A12345-if00-port0 | A12345 | 0403:6001",
                           "- ttyS0, built-in serial port (16550A) | COM1 reaches ttyUSB0"}
            << QStringList{};
        QTest::newRow("other serial devices have no number, in natural order")
            << QStringList{"uart:ttyAMA10:83", "uart:ttyAMA9:83"}
            << QStringList{"- ttyAMA9, built-in serial port (UART type 83) | no COM number "
                           "names this kind of device",
                           "- ttyAMA10, built-in serial port (UART type 83) | no COM number "
                           "names this kind of device"}
            << QStringList{};
        QTest::newRow("a node without the kernel's record still reaches its number")
            << QStringList{"node:ttyUSB11"} << QStringList{"COM12 ttyUSB11"} << QStringList{};
    }
    void listsThePortsPresentWithTheirComNumbers() {
        QFETCH(QStringList, present);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, lookups);
        FakeDeviceTree fake;
        for (const QString& entry : present) {
            fake.add(entry);
        }
        QStringList actual;
        for (const DetectedPort& port : ListSerialPorts(fake.tree())) {
            actual << Render(fake, port);
            QVERIFY(port.access.mayOpen);
        }
        QCOMPARE(actual, listed);
        for (qsizetype i = 0; i < lookups.size(); ++i) {
            QCOMPARE(RenderLookup(fake, static_cast<int>(i + 1)), lookups.at(i));
        }
    }

    // The numbers the resolver gives and the listing shows come from one rule
    // per system; a name that is almost a COM name has none.
    void comNumberNamesADeviceByTheSystemsRule_data() {
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number"); // 0: none
        QTest::newRow("usb adapter") << false << "ttyUSB0" << 1;
        QTest::newRow("acm device") << false << "ttyACM3" << 4;
        QTest::newRow("built-in port") << false << "ttyS10" << 11;
        QTest::newRow("four digits at most") << false << "ttyUSB12345" << 0;
        QTest::newRow("no index") << false << "ttyS" << 0;
        QTest::newRow("another kind") << false << "ttyAMA0" << 0;
        QTest::newRow("a longer name") << false << "ttyS0x" << 0;
        QTest::newRow("windows port") << true << "COM3" << 3;
        QTest::newRow("windows without a number") << true << "COM" << 0;
        QTest::newRow("linux name on windows") << true << "ttyUSB0" << 0;
    }
    void comNumberNamesADeviceByTheSystemsRule() {
        QFETCH(bool, windows);
        QFETCH(QString, name);
        QFETCH(int, number);
        const std::optional<int> found = windows ? WindowsComNumber(name) : LinuxComNumber(name);
        QCOMPARE(found.value_or(0), number);
        if (!windows && found) {
            // What the number resolves to is looked for under that very name.
            FakeDeviceTree fake;
            QVERIFY(ResolveLinuxPort(*found, fake.tree())
                        .lookedFor.contains(QDir(fake.devices()).filePath(name)));
        }
    }

    void advisesHowToGetAccess_data() {
        QTest::addColumn<AccessFacts>("facts");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("fix");
        const AccessFacts denied{"/dev/ttyUSB0", EACCES, "root", "dialout", "crw-rw----",
                                 true,           true,   false,  false,     false};
        AccessFacts joinedLater = denied;
        joinedLater.userListedInGroup = true;
        AccessFacts rootOnly = denied;
        rootOnly.group = "root";
        rootOnly.mode = "crw-rw----";
        rootOnly.groupIsRoot = true;
        AccessFacts noGroupAccess = denied;
        noGroupAccess.mode = "c---------";
        noGroupAccess.ownerMayReadWrite = false;
        noGroupAccess.groupMayReadWrite = false;
        AccessFacts readOnly = denied;
        readOnly.error = EROFS;
        QTest::newRow("may open") << AccessFacts{} << ""
                                  << "";
        QTest::newRow("not in the group")
            << denied << "only members of the group 'dialout' may open it"
            << "sudo usermod -aG dialout $USER, then log out and in again";
        QTest::newRow("joined after logging in")
            << joinedLater << "you joined the group 'dialout' after logging in"
            << "log out and in again";
        QTest::newRow("never the administrators' group")
            << rootOnly << "no group you may join can use it (crw-rw---- root:root)"
            << "sudo chown $USER /dev/ttyUSB0 (lasts until the device is created again)";
        QTest::newRow("nobody may read and write")
            << noGroupAccess << "no group you may join can use it (c--------- root:dialout)"
            << "sudo chown $USER /dev/ttyUSB0 && sudo chmod u+rw /dev/ttyUSB0 (lasts until "
               "the device is created again)";
        QTest::newRow("not a permission")
            << readOnly << QString::fromLocal8Bit(strerror(EROFS)) << "";
    }
    void advisesHowToGetAccess() {
        QFETCH(AccessFacts, facts);
        QFETCH(QString, problem);
        QFETCH(QString, fix);
        const PortAccess access = AdviseAccess(facts);
        QCOMPARE(access.mayOpen, problem.isEmpty());
        QCOMPARE(access.problem, problem);
        QCOMPARE(access.fix, fix);
    }

    void noSuchPortMessageListsThePortsPresentOrWhatToCheck() {
        FakeDeviceTree fake;
        QtSerialPort port(fake.devices());
        const auto message = [&] {
            const PortResult selected = port.select(3);
            return QString::fromStdString(selected ? std::string() : selected.error())
                .replace(fake.devices() + '/', QString());
        };
        QVERIFY2(message().endsWith("ttyS2. No serial port is present on this computer: check "
                                    "that the tracker's cable or USB adapter is plugged in, and "
                                    "for an adapter that the system has a driver for it."),
                 qPrintable(message()));
        fake.add(kArduino);
        fake.add("uart:ttyS1:4");
        QVERIFY2(message().endsWith(
                     "ttyS2. Serial ports present: COM1 is "
                     "ttyACM0, Arduino Uno (Arduino LLC); COM2 is ttyS1, built-in serial port "
                     "(16550A). Put the tracker's number in 'Comm num:'."),
                 qPrintable(message()));
    }

    void portsCommandPrintsLinesAndJson() {
        FakeDeviceTree fake;
        fake.add(kFtdi);
        fake.add("uart:ttyS0:4");
        const auto run = [&](const QStringList& extra) {
            QProcess config;
            config.start(KORVEL_CONFIG,
                         QStringList{"ports", "--device-folder", fake.devices()} + extra);
            config.waitForFinished(15000);
            return QString::fromUtf8(config.readAllStandardOutput())
                .replace(fake.devices() + '/', QString());
        };
        QCOMPARE(run({}),
                 QStringLiteral(
                     "COM1: ttyUSB0 = serial/by-id/usb-FTDI_FT232R_USB_UART_A12345-if00-port0, "
                     "FT232R USB UART (FTDI), serial number A12345, USB 0403:6001; you may open "
                     "it\nno COM number, use --device (COM1 reaches ttyUSB0): ttyS0, built-in "
                     "serial port (16550A); you may open it\n"));
        const QJsonArray ports = QJsonDocument::fromJson(run({"--json"}).toUtf8()).array();
        QCOMPARE(ports.size(), 2);
        const QJsonObject expected{
            {"com", 1},
            {"noComNumber", QJsonValue()},
            {"device", "ttyUSB0"},
            {"stableName", "serial/by-id/usb-FTDI_FT232R_USB_UART_A12345-if00-port0"},
            {"description", "FT232R USB UART"},
            {"manufacturer", "FTDI"},
            {"serialNumber", "A12345"},
            {"usbId", "0403:6001"},
            {"mayOpen", true},
            {"accessProblem", QJsonValue()},
            {"accessFix", QJsonValue()}};
        QCOMPARE(ports.at(0).toObject(), expected);
        QCOMPARE(ports.at(1)["com"], QJsonValue());
        QCOMPARE(ports.at(1)["noComNumber"], QJsonValue("COM1 reaches ttyUSB0"));
    }
};

} // namespace korvel

QTEST_GUILESS_MAIN(korvel::PortListingTest)
#include "PortListingTest.moc"
