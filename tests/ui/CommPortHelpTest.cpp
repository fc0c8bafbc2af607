// The "Comm num:" field's tooltip and context menu, over a device tree of the
// test's own.

#include "ui/CommPortHelp.h"

#include "../transfer/FakeDeviceTree.h"
#include "settings/FieldTable.h"
#include "ui/MaskedEdit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QTest>

namespace korvel {

using test::FakeDeviceTree;

class CommPortHelpTest : public QObject {
    Q_OBJECT

    const QString ftdi_ = QStringLiteral("usb:ttyUSB0:0403:6001:FTDI:FT232R USB UART:A1");

private slots:
    void toolTipNamesTheDeviceWhenItShows_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("pluggedInLater");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("usb adapter")
            << "1"
            << ""
            << "COM1 on this computer: DEV/ttyUSB0, FT232R USB UART (FTDI)";
        QTest::newRow("adapter plugged in after start")
            << "2"
            << "usb:ttyUSB1:067b:2303:Prolific:USB-Serial Controller:"
            << "COM2 on this computer: DEV/ttyUSB1, USB-Serial Controller (Prolific)";
        QTest::newRow("nothing there")
            << "3"
            << ""
            << "COM3 on this computer: no device present (looked for DEV/ttyUSB2, "
               "DEV/ttyACM2, DEV/ttyS2)";
        QTest::newRow("no number") << "0"
                                   << ""
                                   << "Right-click for the ports present.";
    }
    void toolTipNamesTheDeviceWhenItShows() {
        QFETCH(QString, number);
        QFETCH(QString, pluggedInLater);
        QFETCH(QString, lastLine);
        FakeDeviceTree fake;
        fake.add(ftdi_);
        MaskedEdit field(TraitsOf(Field::edComm));
        new CommPortHelp(&field, fake.tree());
        QVERIFY(field.setFieldText(number));
        if (!pluggedInLater.isEmpty()) {
            fake.add(pluggedInLater);
        }
        QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), field.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&field, &hover);
        QVERIFY2(field.toolTip().endsWith(lastLine.replace("DEV", fake.devices())),
                 qPrintable(field.toolTip()));
    }

    void contextMenuListsThePortsAndFillsInTheChosenNumber() {
        FakeDeviceTree fake;
        fake.add("usb:ttyUSB0:10c4:ea60:Silicon Labs & Co:CP2102 USB to UART:0001");
        fake.add("uart:ttyS0:4");
        fake.add("uart:ttyS1:4");
        fake.add("usb:ttyUSB9:0403:6001:FTDI:FT232R USB UART:0002");
        MaskedEdit field(TraitsOf(Field::edComm));
        field.show();
        new CommPortHelp(&field, fake.tree());
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                                field.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&field, &click);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList entries;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                break; // the field's own Cut, Copy and Paste follow
            }
            entries << (action->isEnabled() ? "" : "greyed: ") +
                           action->text().replace(fake.devices() + '/', QString());
        }
        // An "&" that a device puts in its name shows as itself.
        QCOMPARE(entries, (QStringList{"COM1: ttyUSB0, CP2102 USB to UART (Silicon Labs && Co)",
                                       "COM2: ttyS1, built-in serial port (16550A)",
                                       "greyed: COM10: ttyUSB9, FT232R USB UART (FTDI) - beyond "
                                       "'Comm num:'; use korvel-config send --device ttyUSB9",
                                       "greyed: ttyS0, built-in serial port (16550A) - no COM "
                                       "number: COM1 reaches ttyUSB0"}));
        menu->actions().at(1)->trigger();
        menu->close();
        QCOMPARE(field.fieldText(), QStringLiteral("2"));
    }
};

} // namespace korvel

QTEST_MAIN(korvel::CommPortHelpTest)
#include "CommPortHelpTest.moc"
