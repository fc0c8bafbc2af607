#include "ui/MaskedEdit.h"

#include "WindowTestSupport.h"
#include "settings/FieldTable.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QtTest>
#include <memory>

using namespace korvel;

namespace {

Field FieldNamed(const QString& name) {
    return FindField(name.toStdString()).value();
}

} // namespace

// The masked edit field alone, in a window of its own that has the focus.
class MaskedEditTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host_;
    std::unique_ptr<QLineEdit> other_; // somewhere else for the focus to go

    MaskedEdit* makeField(const QString& name, const QString& text) {
        auto* edit = new MaskedEdit(TraitsOf(FieldNamed(name)), host_.get());
        edit->setGeometry(10, 10, 200, 20);
        edit->show();
        if (!text.isNull()) {
            [&] { QVERIFY(edit->setFieldText(text)); }();
        }
        return edit;
    }

    // Gives `edit` the focus with its whole text selected, so typing replaces it.
    static void focusAndSelectAll(MaskedEdit* edit) {
        edit->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        edit->selectAll();
    }

private slots:
    void init() {
        host_ = std::make_unique<QWidget>();
        host_->resize(300, 100);
        other_ = std::make_unique<QLineEdit>(host_.get());
        other_->setGeometry(10, 50, 100, 20);
        host_->show();
        host_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(host_.get()));
    }

    void cleanup() {
        other_.release();
        host_.reset();
    }

    void programTextIsRefusedWholeWhenItDoesNotFit_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("reads");

        // Every field starts from its factory default.
        QTest::newRow("digits") << "edMsgRepeat"
                                << "012" << true << "012";
        QTest::newRow("prompt in empty positions") << "edMsgRepeat"
                                                   << "12_" << true << "12_";
        QTest::newRow("all empty") << "edMsgRepeat"
                                   << "___" << true << "___";
        QTest::newRow("too short") << "edMsgRepeat"
                                   << "12" << false << test::FactoryText("edMsgRepeat");
        QTest::newRow("empty text") << "edMsgRepeat"
                                    << "" << false << test::FactoryText("edMsgRepeat");
        QTest::newRow("too long") << "edMsgRepeat"
                                  << "1000" << false << test::FactoryText("edMsgRepeat");
        QTest::newRow("letter in digit position")
            << "edMsgRepeat"
            << "1a2" << false << test::FactoryText("edMsgRepeat");
        QTest::newRow("four digits") << "esSpeedTable(0)"
                                     << "2550" << true << "2550";
        QTest::newRow("any character symbol") << "edSymbol"
                                              << "/" << true << "/";
        QTest::newRow("control character symbol") << "edSymbol"
                                                  << "\t" << false << test::FactoryText("edSymbol");
        QTest::newRow("unmasked within limit") << "edMyCall"
                                               << "N1CALL-15" << true << "N1CALL-15";
        QTest::newRow("unmasked too long")
            << "edMyCall"
            << "N1CALL-150" << false << test::FactoryText("edMyCall");
        QTest::newRow("unmasked empty") << "edMyCall"
                                        << "" << true << "";
        QTest::newRow("outside the code page")
            << "edBeacon" << QString::fromUtf8("\u4e2d") << false << test::FactoryText("edBeacon");
    }

    void programTextIsRefusedWholeWhenItDoesNotFit() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, reads);

        const auto& traits = TraitsOf(FieldNamed(field));
        MaskedEdit* edit = makeField(field, test::FactoryText(field));
        const auto set = edit->setFieldText(text);
        QCOMPARE(set.has_value(), accepted);
        if (!set) {
            QCOMPARE(set.error().field, traits.field);
        }
        QCOMPARE(edit->fieldText(), reads);
    }

    void numericFieldsHideLeadingZerosWithoutTheFocus_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("withoutFocus");
        QTest::addColumn<QString>("withFocus");

        QTest::newRow("retries") << "edMsgRepeat"
                                 << "006"
                                 << "6"
                                 << "006";
        QTest::newRow("four digits") << "edManualTime"
                                     << "0120"
                                     << "120"
                                     << "0120";
        QTest::newRow("partly empty") << "edBcnEvery"
                                      << "12_"
                                      << "12"
                                      << "12_";
        QTest::newRow("empty") << "edGpsAcqTime"
                               << "___"
                               << ""
                               << "___";
        QTest::newRow("zero") << "edGpsAcqTime"
                              << "000"
                              << "0"
                              << "000";
        QTest::newRow("symbol has no format") << "edSymbol"
                                              << ">"
                                              << ">"
                                              << ">";
    }

    void numericFieldsHideLeadingZerosWithoutTheFocus() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, withoutFocus);
        QFETCH(QString, withFocus);

        MaskedEdit* edit = makeField(field, text);
        QCOMPARE(edit->displayText(), withoutFocus);
        edit->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(edit->displayText(), withFocus);
        other_->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->displayText(), withoutFocus);
        QCOMPARE(edit->fieldText(), text); // what other code reads never changes with the focus
    }

    void typedKeysGoThroughMaskLimitAndFilter_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reads");

        QTest::newRow("callsign upper-cased") << "edMyCall"
                                              << ""
                                              << "nocall-9"
                                              << "NOCALL-9";
        QTest::newRow("tenth character refused") << "edMyCall"
                                                 << ""
                                                 << "ABCDEFGHIJ"
                                                 << "ABCDEFGHI";
        QTest::newRow("comma dropped in my call") << "edMyCall"
                                                  << ""
                                                  << "a,b"
                                                  << "AB";
        QTest::newRow("comma dropped in dest call") << "edDestCall"
                                                    << ""
                                                    << ",x"
                                                    << "X";
        QTest::newRow("space dropped in receiver") << "edReceiver"
                                                   << ""
                                                   << "q k"
                                                   << "QK";
        QTest::newRow("path upper-cased") << "edAprsPath"
                                          << ""
                                          << "wide1-1,wide2-2"
                                          << "WIDE1-1,WIDE2-2";
        QTest::newRow("path drops space and star") << "edAprsPath"
                                                   << ""
                                                   << " *"
                                                   << "";
        QTest::newRow("message drops braces") << "edAprsMsg"
                                              << ""
                                              << "{|~}ab"
                                              << "}ab";
        QTest::newRow("message drops accents") << "edAprsMsg"
                                               << "" << QString::fromUtf8("\u00e9") << "";
        QTest::newRow("message keeps case") << "edAprsMsg"
                                            << ""
                                            << "Message"
                                            << "Message";
        QTest::newRow("status drops quotes") << "edBeacon"
                                             << ""
                                             << "'`{|}~\"x"
                                             << "\"x";
        QTest::newRow("status keeps case") << "edBeacon"
                                           << ""
                                           << "Message"
                                           << "Message";
        QTest::newRow("fifth digit refused")
            << "esSpeedTable(0)" << test::FactoryText("esSpeedTable(0)") << "12345"
            << "1234";
        QTest::newRow("one digit leaves prompts")
            << "edNumFlagsAuto" << test::FactoryText("edNumFlagsAuto") << "7"
            << "7__";
        QTest::newRow("letters refused")
            << "edNumFlagsAuto" << test::FactoryText("edNumFlagsAuto") << "a1b2"
            << "12_";
        QTest::newRow("port takes a digit") << "edComm"
                                            << "1"
                                            << "3"
                                            << "3";
        QTest::newRow("port refuses a letter")
            << "edComm" << test::FactoryText("edComm") << "x" << test::FactoryText("edComm");
        QTest::newRow("symbol takes any character")
            << "edSymbol" << test::FactoryText("edSymbol") << QString::fromUtf8("\u00e9")
            << QString::fromUtf8("\u00e9");
    }

    void typedKeysGoThroughMaskLimitAndFilter() {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, reads);

        MaskedEdit* edit = makeField(field, start);
        focusAndSelectAll(edit);
        test::TypeText(edit, typed);
        QCOMPARE(edit->fieldText(), reads);
    }

    void backspaceWorksInEveryKindOfField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("reads");

        QTest::newRow("callsign") << "edMyCall"
                                  << "AB"
                                  << "A";
        QTest::newRow("path") << "edAprsPath"
                              << "WIDE1-1"
                              << "WIDE1-";
        QTest::newRow("status") << "edBeacon"
                                << "abc"
                                << "ab";
        QTest::newRow("message") << "edAprsMsg"
                                 << "abc"
                                 << "ab";
        QTest::newRow("masked") << "edMsgRepeat"
                                << "006"
                                << "00_";
    }

    void backspaceWorksInEveryKindOfField() {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(QString, reads);

        MaskedEdit* edit = makeField(field, start);
        edit->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        edit->deselect();
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->fieldText(), reads);
    }

    void typingWorksNextToTextTheFilterWouldDrop() {
        // A file may put in what typing could not; the field stays editable.
        MaskedEdit* edit = makeField("edBeacon", "it's");
        edit->setFocus(Qt::OtherFocusReason);
        edit->end(false);
        test::TypeText(edit, "!");
        QCOMPARE(edit->fieldText(), QStringLiteral("it's!"));
    }

    void pasteGoesThroughTheFilterCharacterByCharacter_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("reads");

        QTest::newRow("path") << "edAprsPath"
                              << ""
                              << "wide1-1 *x"
                              << "WIDE1-1X";
        QTest::newRow("callsign") << "edMyCall"
                                  << ""
                                  << "n0call,9"
                                  << "N0CALL9";
        QTest::newRow("callsign limit") << "edMyCall"
                                        << ""
                                        << "ABCDEFGHIJKL"
                                        << "ABCDEFGHI";
        QTest::newRow("message") << "edAprsMsg"
                                 << "" << QString::fromUtf8("a{b\u00e9c") << "abc";
        QTest::newRow("line break dropped") << "edBeacon"
                                            << ""
                                            << "ab\ncd"
                                            << "abcd";
        QTest::newRow("masked") << "edMsgRepeat"
                                << "006"
                                << "1a2"
                                << "12_";
    }

    // By the key and by the field's menu alike, whether or not Qt names the
    // menu's actions.
    void pasteGoesThroughTheFilterCharacterByCharacter() {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(QString, clipboard);
        QFETCH(QString, reads);

        for (const bool fromMenu : {false, true}) {
            MaskedEdit* edit = makeField(field, start);
            focusAndSelectAll(edit);
            QGuiApplication::clipboard()->setText(clipboard);
            if (fromMenu) {
                std::unique_ptr<QMenu> menu(edit->createFieldMenu());
                QAction* paste = nullptr;
                for (QAction* action : menu->actions()) {
                    if (action->text()
                            .remove(QLatin1Char('&'))
                            .startsWith(QLatin1String("Paste"))) {
                        paste = action;
                    }
                }
                QVERIFY(paste);
                paste->trigger();
            } else {
                QTest::keySequence(edit, QKeySequence::Paste);
            }
            QVERIFY2(edit->fieldText() == reads,
                     qPrintable((fromMenu ? "menu: " : "key: ") + edit->fieldText()));
        }
    }
};

QTEST_MAIN(MaskedEditTest)
#include "MaskedEditTest.moc"
