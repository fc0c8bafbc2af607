// What a screen reader and the keyboard get from the main window, read
// through Qt's accessibility interface as the desktop's bridge reads it.

#include "WindowTestSupport.h"
#include "settings/FieldTable.h"
#include "transfer/EventDrivenSender.h"
#include "ui/AnnouncedLabel.h"
#include "ui/Dialog.h"
#include "ui/MaskedEdit.h"
#include "ui/MessageBox.h"
#include "ui/Setup.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QtTest>
#include <memory>

using namespace korvel;

namespace {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// The labels a control is labelled by.
QList<QLabel*> LabelsOf(QWidget* control) {
    QList<QLabel*> labels;
    for (const auto& [other, relation] : Accessible(control)->relations(QAccessible::Label)) {
        if (auto* label = qobject_cast<QLabel*>(other->object())) {
            labels.append(label);
        }
    }
    return labels;
}

// The accessibility events of one text field, in the order Qt sent them.
struct Recorded {
    QObject* object;
    QAccessible::Event type;
};
QList<Recorded>& Events() {
    static QList<Recorded> events;
    return events;
}
void Record(QAccessibleEvent* event) {
    Events().append({event->object(), event->type()});
}

// Qt sends accessibility events only where the platform has a bridge to the
// desktop's screen readers: under X11 (xcb), not on the offscreen platform.
#define RequireBridge()                                                                            \
    do {                                                                                           \
        QAccessible::setActive(true);                                                              \
        if (!QAccessible::isActive()) {                                                            \
            QSKIP("no accessibility bridge on this platform; run under X11 to check the events");  \
        }                                                                                          \
    } while (false)

} // namespace

class SetupAccessibilityTest : public QObject {
    Q_OBJECT

private:
    std::shared_ptr<test::Line> line_;
    std::unique_ptr<Setup> setup_;

    QWidget* control(const QString& name) const {
        return setup_->control(*FindField(name.toStdString()));
    }
    QPushButton* sendButton() const { return setup_->controls().cmdSend; }

private slots:
    // A screen reader that listens to text changes has Qt build each field's
    // interface while the window is still being built, the first one too.
    void initTestCase() {
        QAccessible::setActive(true);
        QAccessible::installUpdateHandler(
            [](QAccessibleEvent* event) { (void)event->accessibleInterface(); });
    }

    void init() {
        MessageBox::setRecording(true);
        line_ = std::make_shared<test::Line>();
        setup_ = test::ActiveSetupOn(line_);
        QVERIFY(setup_);
        QCoreApplication::processEvents();
    }

    void cleanup() {
        QTRY_VERIFY(!setup_->isPortOpen());
        setup_.reset();
        MessageBox::takeRecorded();
        QAccessible::installUpdateHandler(nullptr);
    }

    // The process's first window (this test runs first) answers for every text
    // field as every later one does: one attribute run over the whole text.
    void theFirstWindowsFieldsAnswerAsEveryLaterOne() {
        RequireBridge();
        for (MaskedEdit* field : setup_->findChildren<MaskedEdit*>()) {
            int start = -1;
            int end = -1;
            Accessible(field)->textInterface()->attributes(0, &start, &end);
            QCOMPARE(start, 0);
            QVERIFY2(end == field->displayText().size(), qPrintable(field->objectName()));
        }
    }

    // Each control is named by its caption as the window shows it, described
    // by its unit and limits, and labelled by the labels beside it.
    void everyControlIsNamedDescribedAndLabelled_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QStringList>("labels");
        const auto row = [](const char* field, const char* name, const char* description,
                            QStringList labels) {
            QTest::newRow(field) << field << name << description << labels;
        };
        row("edNumFlagsAuto", "TX DELAY", "milliseconds, 0 to 996", {"TX DELAY", "mS"});
        row("cbMicEMsg", "Mic-E msg", "8 messages, Off Duty to Emergency", {"Mic-E msg"});
        row("edSymbol", "ICON Symbol", "one character", {"ICON Symbol"});
        row("chkTable", "Alternate Table", "ticked or clear", {});
        row("edMyCall", "MY CALLSIGN", "up to 9 characters", {"MY CALLSIGN"});
        row("edBcnEvery", "Status txt every", "transmissions, 0 to 127",
            {"Status txt every", "tx"});
        row("edAprsPath", "APRS PATH", "up to 19 characters. Max 2 digipeater", {"APRS PATH"});
        row("edBeacon", "STATUS text / GPSless bcn", "up to 26 characters. GPSless mode",
            {"STATUS text", "/ GPSless bcn"});
        row("chkRxPosition", "Disable display position of received stations", "", {});
        row("edManualTime", "Manual Timing: Every", "seconds, 0 to 2554", {"Every", "sec."});
        row("edGpsCheckTime", "Acquisition interval", "seconds, 0 to 994",
            {"Acquisition interval", "Every", "sec."});
        row("edGpsAcqTime", "Acquisition timeout", "0 to 255. 0 selects GPSless mode",
            {"Acquisition timeout", "x 100 mS", "(0=GPSless Mode)"});
        row("esSpeedTable(0)", "Speed 0-3 Km/h", "seconds, 0 to 2554", {"Speed 0-3 Km/h", "sec."});
        row("esSpeedTable(1)", "Speed 4-9 Km/h", "seconds, 0 to 2554", {"Speed 4-9 Km/h", "sec."});
        row("esSpeedTable(2)", "Speed 10-22 Km/h", "seconds, 0 to 994",
            {"Speed 10-22 Km/h", "sec."});
        row("esSpeedTable(3)", "Speed 23-40 Km/h", "seconds", {"Speed 23-40 Km/h", "sec."});
        row("esSpeedTable(4)", "Speed 41-72 Km/h", "seconds", {"Speed 41-72 Km/h", "sec."});
        row("esSpeedTable(5)", "Speed 73-125 Km/h", "seconds", {"Speed 73-125 Km/h", "sec."});
        row("esSpeedTable(6)", "Speed > 125 Km/h", "seconds", {"Speed > 125 Km/h", "sec."});
        row("edReceiver", "Unprotocol call", "up to 9 characters", {"Unprotocol call"});
        row("edMsgRepeat", "Msg Retries", "0 to 255", {"Msg Retries"});
        row("edDestCall", "APRS message TO CALL", "up to 9 characters", {"APRS message TO CALL"});
        row("edAprsMsg", "Message", "up to 34 characters", {"Message"});
        row("chkAutoReply", "Auto send message when receiving msg to MYCALL", "", {});
        row("edComm", "Comm num", "serial port number, 1 to 9", {"Comm num:"});
    }

    void everyControlIsNamedDescribedAndLabelled() {
        QFETCH(QString, field);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QStringList, labels);
        QWidget* widget = control(field);
        QCOMPARE(widget->accessibleName(), name);
        QCOMPARE(Accessible(widget)->text(QAccessible::Name), name);
        // A list's entry is its value, and its popup list stays reachable.
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            QCOMPARE(Accessible(widget)->text(QAccessible::Value), list->currentText());
            QVERIFY(Accessible(widget)->childCount() >= 1);
            QCOMPARE(Accessible(widget)->child(0)->object(), list->view());
            QAccessibleActionInterface* actions = Accessible(widget)->actionInterface();
            actions->doAction(QAccessibleActionInterface::showMenuAction());
            QTRY_VERIFY(list->view()->isVisible());
            QVERIFY(Accessible(widget)->state().expanded);
            actions->doAction(QAccessibleActionInterface::showMenuAction());
            QTRY_VERIFY(!list->view()->isVisible());
        }
        QVERIFY2(Accessible(widget)->text(QAccessible::Description).contains(description),
                 qPrintable(Accessible(widget)->text(QAccessible::Description)));
        // a length limit is said once, not again in the tooltip's words
        QVERIFY2(Accessible(widget)->text(QAccessible::Description).count("characters") <= 1,
                 qPrintable(Accessible(widget)->text(QAccessible::Description)));
        QStringList related;
        for (QLabel* label : LabelsOf(widget)) {
            related.append(label->text());
        }
        related.sort();
        labels.sort();
        QCOMPARE(related, labels);
    }

    // No two controls share a name, and every label of the window speaks of
    // a setting's control.
    void namesAreDistinctAndNoLabelStandsAlone() {
        QSet<QString> names;
        for (const FieldTraits& traits : AllFields()) {
            names.insert(setup_->control(traits.field)->accessibleName());
        }
        QCOMPARE(names.size(), qsizetype(kFieldCount));
        for (QPushButton* button : setup_->findChildren<QPushButton*>()) {
            QCOMPARE(Accessible(button)->text(QAccessible::Name), button->text());
        }
        // Each frame by its own caption, a nested one too.
        for (QGroupBox* frame : setup_->findChildren<QGroupBox*>()) {
            QCOMPARE(Accessible(frame)->text(QAccessible::Name), frame->title().simplified());
        }
        int labels = 0;
        for (QLabel* label : setup_->findChildren<QLabel*>()) {
            if (label->window() != setup_.get() || qobject_cast<AnnouncedLabel*>(label)) {
                continue; // the result dialog's, and announcements rather than captions
            }
            const auto targets = Accessible(label)->relations(QAccessible::Labelled);
            QVERIFY2(targets.size() == 1, qPrintable(label->objectName()));
            QCOMPARE(targets[0].first->object(), label->buddy());
            ++labels;
        }
        QCOMPARE(labels, 37);
    }

    // A screen reader hears of the focus before the caret moves in the field;
    // a caret event first reads to it as a silent change of focus.
    void tabAnnouncesEveryTextFieldBeforeItsCaretMoves() {
        RequireBridge();
        const auto previous = QAccessible::installUpdateHandler(Record);
        QStringList silent;
        int announced = 0;
        for (int i = 0; i < 30; ++i) {
            Events().clear();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCoreApplication::processEvents();
            // An editable list's text field selects and deselects its text as
            // the list takes and leaves the focus; none of that is news.
            for (const Recorded& event : Events()) {
                auto* edit = qobject_cast<QLineEdit*>(event.object);
                if (edit && qobject_cast<QComboBox*>(edit->parent()) &&
                    event.type == QAccessible::TextSelectionChanged) {
                    silent.append(edit->parent()->objectName());
                }
            }
            auto* field = qobject_cast<MaskedEdit*>(QApplication::focusWidget());
            if (!field) {
                continue;
            }
            // Qt's own selection on Tab may come first, as in any line edit;
            // a caret or a text of ours must not.
            for (const Recorded& event : Events()) {
                if (event.object != field) {
                    continue;
                }
                if (event.type == QAccessible::Focus) {
                    ++announced;
                    break;
                }
                if (event.type == QAccessible::TextCaretMoved ||
                    event.type == QAccessible::TextUpdated) {
                    silent.append(field->objectName());
                    break;
                }
            }
        }
        QAccessible::installUpdateHandler(previous);
        QCOMPARE(silent, QStringList());
        QCOMPARE(announced, 21); // every text field once in the round
    }

    // At the moment Qt tells a screen reader of the focus, a text field reached
    // by Tab holds its whole text (the leading zeros too), all of it selected
    // with the caret at its end, or the caret at the start where the field
    // does not select on focus; nothing changes after that.
    void textAtFocusTimeIsTheWholeField() {
        struct Seen {
            QString text;
            int start = -1, end = -1, caret = -1;
            int runStart = -1, runEnd = -1; // the attribute run at the first character
        };
        QMap<QString, Seen> seen;
        const auto look = [&seen](QWidget*, QWidget* now) {
            auto* field = qobject_cast<MaskedEdit*>(now);
            if (!field) {
                return;
            }
            QAccessibleTextInterface* text = Accessible(field)->textInterface();
            Seen state;
            state.text = text->text(0, text->characterCount());
            if (text->selectionCount() == 1) {
                text->selection(0, &state.start, &state.end);
            }
            state.caret = text->cursorPosition();
            text->attributes(0, &state.runStart, &state.runEnd);
            seen.insert(field->objectName(), state);
        };
        const auto connection = connect(qApp, &QApplication::focusChanged, this, look);
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCoreApplication::processEvents();
        disconnect(connection);
        for (const FieldTraits& traits : AllFields()) {
            auto* field = qobject_cast<MaskedEdit*>(setup_->control(traits.field));
            if (!field) {
                continue;
            }
            const QString name = field->objectName();
            QVERIFY2(seen.contains(name), qPrintable(name));
            const Seen& state = seen[name];
            const QString whole = field->fieldText();
            QCOMPARE(state.text, whole);
            // One run over the whole text: readers that read run by run read it all.
            QCOMPARE(state.runStart, 0);
            QCOMPARE(state.runEnd, int(whole.size()));
            if (traits.selectOnFocus) {
                QCOMPARE(state.start, 0);
                QCOMPARE(state.end, int(whole.size()));
                QCOMPARE(state.caret, int(whole.size()));
            } else {
                QCOMPARE(state.start, -1);
                QCOMPARE(state.caret, 0);
            }
        }
    }

    // Shift+F10 and the Menu key open every text field's menu, with its
    // pickers, its first entry current; Escape gives the field the focus back.
    void everyFieldMenuOpensFromTheKeyboard_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("menuKey");
        for (const FieldTraits& traits : AllFields()) {
            if (!traits.isText()) {
                continue;
            }
            const QString name =
                QString::fromLatin1(traits.name.data(), qsizetype(traits.name.size()));
            QTest::newRow(qPrintable(name + " Shift+F10")) << name << false;
            QTest::newRow(qPrintable(name + " Menu key")) << name << true;
        }
    }

    void everyFieldMenuOpensFromTheKeyboard() {
        QFETCH(QString, field);
        QFETCH(bool, menuKey);
        auto* edit = qobject_cast<MaskedEdit*>(control(field));
        QVERIFY(edit);
        edit->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        if (menuKey) {
            QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                  edit->mapToGlobal(QPoint(2, 2)));
            QCoreApplication::sendEvent(edit, &key);
        } else {
            QTest::keyClick(edit, Qt::Key_F10, Qt::ShiftModifier);
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction* first = nullptr;
        for (QAction* action : menu->actions()) {
            if (!first && !action->isSeparator() && action->isEnabled()) {
                first = action;
            }
        }
        QVERIFY(menu->activeAction());
        QCOMPARE(menu->activeAction(), first);
        const QMap<QString, QString> pickers{
            {"edSymbol", "pickSymbol"}, {"edAprsPath", "pickPath"}, {"edMyCall", "pickSsid"}};
        QString picker = pickers.value(field);
        if (field.startsWith("esSpeedTable")) {
            picker = "pickTiming";
        }
        if (!picker.isEmpty()) {
            QVERIFY(menu->findChild<QMenu*>(picker));
        }
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
    }

    // The right-click that brings the focus selects the text before its menu
    // looks at it: Cut and Copy are there at once.
    void firstRightClickOffersCutAndCopy() {
        auto* edit = qobject_cast<MaskedEdit*>(control("edNumFlagsAuto"));
        QVERIFY(edit->traits().selectOnFocus);
        sendButton()->setFocus(Qt::TabFocusReason);
        QTest::mousePress(edit, Qt::RightButton, {}, QPoint(5, 5));
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                edit->mapToGlobal(QPoint(5, 5)));
        if (!QApplication::activePopupWidget()) {
            QCoreApplication::sendEvent(edit, &click);
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList enabled;
        for (QAction* action : menu->actions()) {
            if (action->isEnabled()) {
                enabled.append(
                    action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0));
            }
        }
        menu->close();
        QTest::mouseRelease(edit, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY2(enabled.contains("Cut") && enabled.contains("Copy"),
                 qPrintable(enabled.join(",")));
    }

    // The keys of the window: Enter presses the focused button, SEND gives
    // the focus back, the result dialog closes with Enter or Escape once it
    // shows the outcome, and F6 or Ctrl+Tab reaches it and comes back.
    void keyboardAloneSendsAndClosesTheDialog_data() {
        QTest::addColumn<int>("pressKey");
        QTest::addColumn<int>("modifier");
        QTest::addColumn<int>("closeKey");
        QTest::addColumn<QKeySequence>("switchKey");
        const QKeySequence f6(Qt::Key_F6);
        const QKeySequence ctrlTab(Qt::CTRL | Qt::Key_Tab);
        QTest::newRow("Space, F6, Escape") << int(Qt::Key_Space) << 0 << int(Qt::Key_Escape) << f6;
        QTest::newRow("Enter, Ctrl+Tab, Enter")
            << int(Qt::Key_Return) << 0 << int(Qt::Key_Return) << ctrlTab;
        QTest::newRow("keypad Enter, F6, Escape")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << int(Qt::Key_Escape) << f6;
    }

    void keyboardAloneSendsAndClosesTheDialog() {
        QFETCH(int, pressKey);
        QFETCH(int, modifier);
        QFETCH(int, closeKey);
        QFETCH(QKeySequence, switchKey);
        sendButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(sendButton(), Qt::Key(pressKey), Qt::KeyboardModifiers(modifier));
        Dialog* dialog = setup_->resultDialog();
        QTRY_VERIFY(dialog->isVisible());
        // While the transfer runs the keyboard is on its text, which says what
        // happens.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->label()));
        // While the transfer runs, the keys close nothing.
        QTest::keyClick(dialog, Qt::Key(closeKey));
        QVERIFY(dialog->isVisible());
        QTRY_VERIFY(sendButton()->isEnabled());
        QCOMPARE(setup_->focusWidget(), sendButton());

        // (The offscreen platform activates every window it shows.)
        setup_->activateWindow();
        QTRY_VERIFY(setup_->isActiveWindow());
        // The switch key goes to the dialog and back again.
        QTest::keySequence(setup_.get(), switchKey);
        QTRY_VERIFY(dialog->isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), dialog->okButton());
        QTest::keySequence(dialog->okButton(), switchKey);
        QTRY_VERIFY(setup_->isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), sendButton());
        QTest::keySequence(setup_.get(), switchKey);
        QTRY_VERIFY(dialog->isActiveWindow());
        QTest::keyClick(dialog->okButton(), Qt::Key(closeKey));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(line_->bytes.size(), std::size_t{120});
    }

    // The dialog speaks its first text and the outcome, and the focus stays
    // in the main window.
    void theOutcomeIsAnnouncedWithoutTakingTheFocus() {
        RequireBridge();
        QStringList spoken;
        static QStringList* heard = nullptr;
        heard = &spoken;
        const auto previous = QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::ObjectShow &&
                event->accessibleInterface()->role() == QAccessible::Notification) {
                heard->append(event->accessibleInterface()->text(QAccessible::Name));
            }
        });
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY(sendButton()->isEnabled());
        QAccessible::installUpdateHandler(previous);
        QVERIFY2(spoken.size() == 2, qPrintable(spoken.join("|")));
        QVERIFY(spoken.first().trimmed().startsWith(QLatin1String("Sending data on COM1")));
        QVERIFY(spoken.last().startsWith(QLatin1String("Data sent !")));
        QCOMPARE(setup_->focusWidget(), sendButton());
    }

    // Shift+F10 opens the Comm num menu as the Menu key does, named, with its
    // first entry current and the field's Cut, Copy and Paste kept.
    void shiftF10OpensTheCommNumMenu() {
        QWidget* field = control(QStringLiteral("edComm"));
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QVERIFY(!Accessible(menu)->text(QAccessible::Name).isEmpty());
        QCOMPARE(menu->activeAction(), menu->actions().value(0));
        QStringList edits;
        for (QAction* action : menu->actions()) {
            const QString text = action->text().remove(QLatin1Char('&'));
            if (text.startsWith("Cut") || text.startsWith("Copy") || text.startsWith("Paste")) {
                edits.append(text);
            }
        }
        menu->close();
        QCOMPARE(edits.size(), 3);
        QVERIFY(Accessible(field)->text(QAccessible::Description).contains("Shift+F10"));
    }
};

QTEST_MAIN(SetupAccessibilityTest)
#include "SetupAccessibilityTest.moc"
