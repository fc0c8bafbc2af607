#include "FactoryImage.h"
#include "FrameReceiver.h"
#include "WindowTestSupport.h"
#include "settings/FieldRule.h"
#include "settings/FieldTable.h"
#include "transfer/EventDrivenSender.h"
#include "ui/CommonD.h"
#include "ui/Dialog.h"
#include "ui/MaskedEdit.h"
#include "ui/MessageBox.h"
#include "ui/Setup.h"
#include "ui/TextContrast.h"
#include "ui/frmIstruzioni.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

using namespace korvel;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

double Channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The contrast ratio of two colours, as the readability guidelines define it.
double ContrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        return 0.2126 * Channel(c.red()) + 0.7152 * Channel(c.green()) + 0.0722 * Channel(c.blue());
    };
    const double one = luminance(a);
    const double other = luminance(b);
    const double dark = std::min(one, other);
    const double light = std::max(one, other);
    return (light + 0.05) / (dark + 0.05);
}

} // namespace

// The window's commands: Send with its dialog, close, Save and Load, Help.
class SetupCommandsTest : public QObject {
    Q_OBJECT

private:
    std::shared_ptr<test::Line> line_;
    std::unique_ptr<Setup> setup_;
    std::unique_ptr<QTemporaryDir> folder_;

    MaskedEdit* edit(Field field) const { return setup_->controls().edit(field); }
    QPushButton* sendButton() const { return setup_->controls().cmdSend; }
    QString path(const char* name) const { return folder_->filePath(QString::fromLatin1(name)); }

    void put(Field field, const char* text) {
        QVERIFY2(setup_->setText(field, text), TraitsOf(field).name.data());
    }

    // Pushes the bytes on the fake line through the tracker's receiving side.
    std::optional<ConfigImage> receivedImage() const {
        sim::FrameReceiver tracker;
        for (std::uint8_t byte : line_->bytes) {
            if (auto event = tracker.push(byte);
                event && event->kind == sim::ReceiverEvent::Kind::Complete) {
                return event->image;
            }
        }
        return std::nullopt;
    }

private slots:
    void init() {
        MessageBox::setRecording(true);
        CommonD::setAnswers({});
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        line_ = std::make_shared<test::Line>();
        setup_ = test::ActiveSetupOn(line_);
        QVERIFY(setup_);
    }

    void cleanup() {
        QTRY_VERIFY(!setup_->isPortOpen());
        setup_.reset();
        MessageBox::takeRecorded();
        CommonD::clearAnswers();
        QDir::setCurrent(QDir::tempPath());
    }

    void sendWithTheDefaultsReachesTheTracker() {
        QStringList before;
        for (const FieldTraits& traits : AllFields()) {
            before.append(QString::fromStdString(setup_->text(traits.field)));
        }
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());

        QCOMPARE(line_->bytes.size(), std::size_t{120});
        QCOMPARE(line_->writes, 4);
        QCOMPARE(line_->selectedNumber, 1);
        const auto image = receivedImage();
        QVERIFY(image);
        QVERIFY(*image == setup_->configImage());
        QVERIFY(*image == test::kFactoryImage);

        Dialog* dialog = setup_->resultDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->text(),
                 std::string("Data sent !\r\n Be shure that the word 'Success!' appears on LCD"));
        QVERIFY(dialog->okButton()->isVisible());
        QCOMPARE(MessageBox::takeRecorded().size(), 0);

        QStringList after;
        for (const FieldTraits& traits : AllFields()) {
            after.append(QString::fromStdString(setup_->text(traits.field)));
        }
        QCOMPARE(after, before);
    }

    // Loaded at start, native window and all, so the first SEND only shows it.
    void theResultDialogIsLoadedHiddenAtStart() {
        Dialog* dialog = setup_->resultDialog();
        QVERIFY(dialog && !dialog->isVisible());
        QVERIFY(dialog->testAttribute(Qt::WA_WState_Created));
        QVERIFY(dialog->testAttribute(Qt::WA_WState_Polished));
    }

    void okAndTheCloseBoxHideTheDialog_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("OK") << false;
        QTest::newRow("close box") << true;
    }

    void okAndTheCloseBoxHideTheDialog() {
        QFETCH(bool, closeBox);
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        Dialog* dialog = setup_->resultDialog();
        if (closeBox) {
            dialog->close();
        } else {
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        }
        QVERIFY(!dialog->isVisible());

        // The next transfer shows it again with its own progress text.
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->text().find("Sending data on COM1") != std::string::npos);
        QTRY_VERIFY(sendButton()->isEnabled());
    }

    void closingTheDialogDuringATransferStopsNothing() {
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(setup_->resultDialog()->isVisible());
        setup_->resultDialog()->close();
        QTRY_VERIFY(sendButton()->isEnabled());
        QCOMPARE(line_->bytes.size(), std::size_t{120});
        QVERIFY(!setup_->resultDialog()->isVisible());
        QVERIFY(MessageBox::takeRecorded().isEmpty());
    }

    // A transfer that fails before it shows the dialog takes away the earlier
    // "Data sent !", which would tell that the new settings reached the tracker.
    void failureBeforeTheDialogHidesAnEarlierResult_data() {
        QTest::addColumn<QString>("comm");
        QTest::addColumn<QString>("failSelect");
        QTest::addColumn<QString>("failOpen");
        QTest::newRow("no such port") << "9"
                                      << "COM9: no such serial port"
                                      << "";
        QTest::newRow("port busy") << "1"
                                   << ""
                                   << "COM1 is busy";
        QTest::newRow("port 0") << "0"
                                << ""
                                << "";
        QTest::newRow("port empty") << "_"
                                    << ""
                                    << "";
    }

    void failureBeforeTheDialogHidesAnEarlierResult() {
        QFETCH(QString, comm);
        QFETCH(QString, failSelect);
        QFETCH(QString, failOpen);
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        Dialog* dialog = setup_->resultDialog();
        QVERIFY(dialog->isVisible() && dialog->text().starts_with("Data sent !"));

        put(Field::edComm, comm.toLatin1().constData());
        line_->failSelect = failSelect.toStdString();
        line_->failOpen = failOpen.toStdString();
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        QCOMPARE(MessageBox::takeRecorded().size(), 1);
        QVERIFY(!dialog->isVisible());

        put(Field::edComm, "1");
        line_->failSelect.clear();
        line_->failOpen.clear();
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        QVERIFY(dialog->isVisible() && dialog->text().starts_with("Data sent !"));
    }

    void fileDialogFilterInQtSyntax_data() {
        QTest::addColumn<QString>("classic");
        QTest::addColumn<QStringList>("qt");

        QTest::newRow("settings files")
            << QString::fromLatin1(CommonD::kFilter)
            << QStringList{"File di configurazione (*.cfg)", "Tutti i files (*)"};
        QTest::newRow("several patterns")
            << "Testi|*.txt;*.rtf" << QStringList{"Testi (*.txt *.rtf)"};
        QTest::newRow("odd entry left out") << "Solo descrizione" << QStringList{};
    }

    void fileDialogFilterInQtSyntax() {
        QFETCH(QString, classic);
        QFETCH(QStringList, qt);
        QCOMPARE(CommonD::qtNameFilters(classic), qt);
    }

    // Save and Load start in the program's folder, unless settings do not
    // belong there: then in the user's documents folder, or the home folder
    // when there is none. TEMP stands for the test's own folder, which also
    // holds the user's home.
    void fileDialogStartsInAFolderForTheUsersFiles_data() {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("documents"); // whether the user has a documents folder
        QTest::addColumn<QString>("start");
        QTest::newRow("a folder of the user's") << "TEMP" << true << "TEMP";
        QTest::newRow("only like a system folder") << "TEMP/usr/bin" << true << "TEMP/usr/bin";
        QTest::newRow("installed for every user") << "/usr/bin" << true << "TEMP/home/Documents";
        QTest::newRow("installed by the administrator")
            << "/usr/local/bin" << true << "TEMP/home/Documents";
        QTest::newRow("an add-on package") << "/opt/korvel/bin" << false << "TEMP/home";
        QTest::newRow("a folder that is gone") << "TEMP/gone" << false << "TEMP/home";
    }

    void fileDialogStartsInAFolderForTheUsersFiles() {
        QFETCH(QString, programFolder);
        QFETCH(bool, documents);
        QFETCH(QString, start);
        programFolder.replace(QStringLiteral("TEMP"), folder_->path());
        start.replace(QStringLiteral("TEMP"), folder_->path());
        QVERIFY(QDir().mkpath(folder_->filePath("usr/bin")));
        QVERIFY(QDir().mkpath(folder_->filePath(documents ? "home/Documents" : "home")));
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
        });
        qputenv("HOME", QFile::encodeName(folder_->filePath("home")));
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(CommonD::initialFolder(programFolder), start);
    }

    void sendFailureShowsTheBoxAndSelectsTheField_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");

        QTest::newRow("empty callsign") << int(Field::edMyCall) << "";
        QTest::newRow("blank receiver") << int(Field::edReceiver) << "   ";
        QTest::newRow("tx delay too long") << int(Field::edNumFlagsAuto) << "997";
        QTest::newRow("speed beyond a byte") << int(Field::esSpeedTable0) << "2555";
        QTest::newRow("ssid beyond 16 bits") << int(Field::edMyCall) << "A-9999999";
        QTest::newRow("no Mic-E entry") << int(Field::cbMicEMsg) << "Busy";
    }

    void sendFailureShowsTheBoxAndSelectsTheField() {
        QFETCH(int, field);
        QFETCH(QString, text);
        const auto failing = static_cast<Field>(field);
        QLineEdit* line = edit(failing);
        if (failing == Field::cbMicEMsg) {
            line = setup_->controls().list(Field::cbMicEMsg)->lineEdit();
            line->setText(text);
        } else {
            put(failing, text.toLatin1().constData());
        }

        QTest::mouseClick(sendButton(), Qt::LeftButton);

        const auto shown = MessageBox::takeRecorded();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Parametri incompleti o non corretti"));
        QCOMPARE(shown[0].title, QStringLiteral("Invio non eseguito - Korvel"));
        QCOMPARE(shown[0].icon, MessageBox::Icon::Information);
        QCOMPARE(setup_->focusWidget(), setup_->control(failing) == line->parentWidget()
                                            ? line->parentWidget()
                                            : static_cast<QWidget*>(line));
        QTRY_COMPARE(line->selectedText(), line->QLineEdit::text());
        QVERIFY(sendButton()->isEnabled());
        QVERIFY(line_->bytes.empty());
    }

    void sendStaysDisabledWhileTheBoxIsOpen() {
        MessageBox::setRecording(false);
        put(Field::edMyCall, "");
        bool disabledWhileOpen = false;
        QTimer::singleShot(50, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            disabledWhileOpen = !sendButton()->isEnabled();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QVERIFY(disabledWhileOpen);
        QVERIFY(sendButton()->isEnabled());
    }

    // Whatever stops a SEND short, the real box about it never stands beside
    // the "Data sent !" of an earlier one.
    void noEarlierSuccessBesideTheBox_data() {
        QTest::addColumn<QString>("myCall");
        QTest::addColumn<QString>("comm");
        QTest::addColumn<QString>("failOpen");
        QTest::newRow("settings refused") << ""
                                          << "1"
                                          << "";
        QTest::newRow("no port") << "IK0ABC"
                                 << "0"
                                 << "";
        QTest::newRow("port busy") << "IK0ABC"
                                   << "1"
                                   << "COM1 is busy";
        QTest::newRow("placeholder question declined") << "NOCALL-9"
                                                       << "1"
                                                       << "";
    }

    void noEarlierSuccessBesideTheBox() {
        QFETCH(QString, myCall);
        QFETCH(QString, comm);
        QFETCH(QString, failOpen);
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        Dialog* dialog = setup_->resultDialog();
        QVERIFY(dialog->isVisible() && dialog->text().starts_with("Data sent !"));

        put(Field::edMyCall, myCall.toLatin1().constData());
        put(Field::edComm, comm.toLatin1().constData());
        line_->failOpen = failOpen.toStdString();
        MessageBox::setRecording(false);
        int boxes = 0;
        bool successShownBesideABox = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxes;
                successShownBesideABox = successShownBesideABox || dialog->isVisible();
                QAbstractButton* ok = box->button(QMessageBox::Ok);
                (ok ? ok : box->button(QMessageBox::No))->click();
            }
        });
        closer.start(20);
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled() && boxes == 1);
        closer.stop();
        QVERIFY(!successShownBesideABox);
        QVERIFY(!dialog->isVisible());
    }

    void gpslessNotesTurnGreenAndBack() {
        put(Field::edGpsAcqTime, "___");
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        for (QLabel* note : {setup_->controls().Label33, setup_->controls().Label34}) {
            const QColor shown = note->palette().color(QPalette::WindowText);
            QVERIFY2(shown.red() == 0 && shown.blue() == 0 && shown.green() >= 100,
                     qPrintable(shown.name() + " on " +
                                setup_->palette().color(QPalette::Window).name()));
            // Readable as small text: a contrast of 4.5:1 on the window's grey.
            QVERIFY(ContrastRatio(shown, setup_->palette().color(QPalette::Window)) >= 4.5);
        }
        QCOMPARE(setup_->configImage()[5], 252);

        put(Field::edGpsAcqTime, "025");
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        QCOMPARE(setup_->controls().Label33->palette().color(QPalette::WindowText),
                 setup_->palette().color(QPalette::ButtonText));
    }

    // The GPSless green on the window backgrounds of light and dark themes:
    // readable as small text, still green, darker than the plain green on a
    // light background and lighter on a dark one.
    void gpslessGreenReadsOnEveryBackground_data() {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("dark");
        QTest::newRow("white") << QColor(Qt::white) << false;
        QTest::newRow("classic grey") << QColor("#f0f0f0") << false;
        QTest::newRow("adwaita") << QColor("#f6f5f4") << false;
        QTest::newRow("qt6ct darker") << QColor("#222020") << true;
        QTest::newRow("breeze dark") << QColor("#31363b") << true;
        QTest::newRow("adwaita dark") << QColor("#353535") << true;
        QTest::newRow("black") << QColor(Qt::black) << true;
        QTest::newRow("mid grey, darker side") << QColor("#777777") << false;
        QTest::newRow("mid grey, lighter side") << QColor("#707070") << true;
        QTest::newRow("dark green") << QColor("#004000") << true;
    }

    void gpslessGreenReadsOnEveryBackground() {
        QFETCH(QColor, background);
        QFETCH(bool, dark);
        const QColor green = ReadableGreen(background);
        const QString shown = green.name() + " on " + background.name();
        QVERIFY2(ContrastRatio(green, background) >= 4.5, qPrintable(shown));
        QVERIFY2(green.green() > green.red() && green.green() > green.blue(), qPrintable(shown));
        const QColor plain(0, 128, 0);
        QVERIFY2(dark ? green.green() >= plain.green() : green.green() <= plain.green(),
                 qPrintable(shown));
    }

    void transferFailureIsReportedWithoutIcon() {
        line_->failOpen = "COM1 is busy";
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        const auto shown = MessageBox::takeRecorded();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains(QLatin1String("COM1 is busy")));
        QCOMPARE(shown[0].icon, MessageBox::Icon::None);
        QCOMPARE(shown[0].title, QGuiApplication::applicationDisplayName());
    }

    void closeIsRefusedWhileThePortIsOpen() {
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(setup_->isPortOpen());
        QVERIFY(!setup_->close());
        QVERIFY(setup_->isVisible());
        QTRY_VERIFY(!setup_->isPortOpen());
        QVERIFY(setup_->close());
        QVERIFY(!setup_->resultDialog()->isVisible()); // the result dialog goes with the window
        QVERIFY(MessageBox::takeRecorded().isEmpty());
    }

    void saveThenLoadRestoresEveryField() {
        put(Field::edNumFlagsAuto, "150");
        put(Field::edSymbol, "/");
        put(Field::edMyCall, "N1CALL-7");
        put(Field::edBcnEvery, "012");
        put(Field::edAprsPath, "WIDE2-2");
        put(Field::edBeacon, "!4903.50N/07201.75W-");
        put(Field::edManualTime, "0300");
        put(Field::edGpsAcqTime, "040");
        for (std::size_t i = 0; i < kSpeedBands; ++i) {
            put(SpeedTableField(i), i < 2 ? "0900" : "200");
        }
        put(Field::edReceiver, "APRS");
        put(Field::edMsgRepeat, "003");
        put(Field::edDestCall, "QX7ZUL");
        put(Field::edAprsMsg, "Hello, world {}");
        put(Field::edComm, "4");
        setup_->setValue(Field::chkTable, 1);
        setup_->setValue(Field::chkRxPosition, 1);
        setup_->setValue(Field::chkAutoReply, 1);
        setup_->setValue(Field::cbMicEMsg, 6);
        QStringList saved;
        for (const FieldTraits& traits : AllFields()) {
            saved.append(QString::fromStdString(setup_->text(traits.field)) + "/" +
                         QString::number(setup_->value(traits.field)));
        }

        CommonD::setAnswers({path("mine.cfg"), path("mine.cfg")});
        QTest::mouseClick(setup_->controls().cmdSave, Qt::LeftButton);
        QTest::mouseClick(setup_->controls().cmdDefault, Qt::LeftButton);
        QTest::mouseClick(setup_->controls().cmdLoad, Qt::LeftButton);

        QCOMPARE(CommonD::takeAskedTitles(),
                 QStringList({QStringLiteral("Salva File"), QStringLiteral("Apertura File")}));
        QVERIFY(MessageBox::takeRecorded().isEmpty());
        QStringList loaded;
        for (const FieldTraits& traits : AllFields()) {
            loaded.append(QString::fromStdString(setup_->text(traits.field)) + "/" +
                          QString::number(setup_->value(traits.field)));
        }
        QCOMPARE(loaded, saved);
        QCOMPARE(QDir::currentPath(), QDir(folder_->path()).canonicalPath());
    }

    void loadOfOneLineAppliesGroupOneThenReportsTheEnd() {
        WriteAll(path("short.cfg"), "\"3\",\"100\",\"009\",21,\"/\",1\r\n");
        put(Field::esSpeedTable0, "0700");
        CommonD::setAnswers({path("short.cfg")});
        QTest::mouseClick(setup_->controls().cmdLoad, Qt::LeftButton);

        QCOMPARE(QString::fromStdString(setup_->text(Field::edComm)), QStringLiteral("3"));
        QCOMPARE(QString::fromStdString(setup_->text(Field::edMsgRepeat)), QStringLiteral("009"));
        QCOMPARE(setup_->value(Field::cbMicEMsg), 5);
        QCOMPARE(setup_->value(Field::chkAutoReply), 1);
        QCOMPARE(setup_->value(Field::chkTable), 1);
        QCOMPARE(QString::fromStdString(setup_->text(Field::esSpeedTable0)),
                 QStringLiteral("0700"));
        const auto shown = MessageBox::takeRecorded();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Korvel"));
        QCOMPARE(shown[0].icon, MessageBox::Icon::None);
        QVERIFY(shown[0].text.contains(QLatin1String("short.cfg")));
    }

    void cancelIsSilent_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("save") << true;
        QTest::newRow("load") << false;
    }

    void cancelIsSilent() {
        QFETCH(bool, save);
        put(Field::edMyCall, "N1CALL");
        CommonD::setAnswers({std::nullopt});
        QTest::mouseClick(save ? setup_->controls().cmdSave : setup_->controls().cmdLoad,
                          Qt::LeftButton);
        QVERIFY(MessageBox::takeRecorded().isEmpty());
        QCOMPARE(QString::fromStdString(setup_->text(Field::edMyCall)), QStringLiteral("N1CALL"));
        QVERIFY(QDir(folder_->path()).isEmpty());
    }

    void saveFailureLeavesTheOldFileWhole() {
        const QByteArray old = "an older settings file\r\n";
        WriteAll(path("old.cfg"), old);
        put(Field::edBcnEvery, "___");
        CommonD::setAnswers({path("old.cfg")});
        QTest::mouseClick(setup_->controls().cmdSave, Qt::LeftButton);

        const auto shown = MessageBox::takeRecorded();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Korvel"));
        QCOMPARE(shown[0].icon, MessageBox::Icon::None);
        QVERIFY(shown[0].text.contains(QLatin1String("Status txt every")));
        QCOMPARE(ReadAll(path("old.cfg")), old);
        QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList({"old.cfg"}));
    }

    void f1TwiceOpensOneInstructionsWindow_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("fromList");
        QTest::newRow("plain") << int(Qt::NoModifier) << false;
        QTest::newRow("shift") << int(Qt::ShiftModifier) << false;
        QTest::newRow("ctrl") << int(Qt::ControlModifier) << false;
        QTest::newRow("Mic-E list dropped down") << int(Qt::NoModifier) << true;
    }

    void f1TwiceOpensOneInstructionsWindow() {
        QFETCH(int, modifiers);
        QFETCH(bool, fromList);
        WriteAll(path("Korvel_Config.rtf"), "{\\rtf1\\ansi Istruzioni\\par}");
        QDir::setCurrent(folder_->path());

        QWidget* focused = edit(Field::edBeacon);
        focused->setFocus(Qt::OtherFocusReason);
        const auto pressF1 = [&] {
            if (fromList) {
                QComboBox* list = setup_->controls().list(Field::cbMicEMsg);
                list->showPopup();
                QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
                focused = QApplication::activePopupWidget()->focusWidget();
            }
            QTest::keyClick(focused, Qt::Key_F1, Qt::KeyboardModifiers(modifiers));
        };
        pressF1();
        QPointer<frmIstruzioni> first = setup_->instructions();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->windowTitle().trimmed(), QStringLiteral("Korvel Config - Istruzioni"));
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        pressF1();
        QTest::mouseClick(setup_->controls().cmdHelp, Qt::LeftButton);
        QCOMPARE(setup_->instructions(), first.data());
        int windows = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            windows += qobject_cast<frmIstruzioni*>(top) != nullptr;
        }
        QCOMPARE(windows, 1);

        QVERIFY(setup_->close());
        QVERIFY(!first->isVisible()); // the instructions go with the window
    }

    // With the help found nowhere, one press of F1 gives one real message box
    // and leaves no instructions window; the key must not come back once the
    // box has closed.
    void f1WithoutTheHelpShowsOneRealBox() {
        QDir::setCurrent(folder_->path());
        if (!frmIstruzioni::ResolveFile(QStringLiteral("Korvel_Config.rtf")).isEmpty()) {
            QSKIP("the instructions are installed on this machine");
        }
        MessageBox::setRecording(false);
        QStringList boxes;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.append(box->text());
                QAbstractButton* ok = box->button(QMessageBox::Ok);
                (ok ? ok : box->button(QMessageBox::No))->click();
            }
        });
        closer.start(20);
        edit(Field::edMyCall)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit(Field::edMyCall), Qt::Key_F1);
        QTest::qWait(200);
        closer.stop();

        QCOMPARE(boxes, QStringList{QStringLiteral("Manca il file di help Korvel_Config.rtf")});
        QVERIFY(setup_->instructions() && !setup_->instructions()->isVisible());
    }
};

QTEST_MAIN(SetupCommandsTest)
#include "SetupCommandsTest.moc"
