#include "WindowTestSupport.h"
#include "settings/FieldTable.h"
#include "transfer/EventDrivenSender.h"
#include "ui/AdvisorMarks.h"
#include "ui/MaskedEdit.h"
#include "ui/MessageBox.h"
#include "ui/OnTheAirView.h"
#include "ui/Setup.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>

using namespace korvel;

// The advisor in the window: the marks on warned fields, the pickers in the
// fields' menus, the window "On the air", and the one question before SEND.
class AdvisorWindowTest : public QObject {
    Q_OBJECT

private:
    std::shared_ptr<test::Line> line_;
    std::unique_ptr<Setup> setup_;

    MaskedEdit* edit(Field field) const { return setup_->controls().edit(field); }
    void put(Field field, const char* text) {
        QVERIFY2(setup_->setText(field, text), TraitsOf(field).name.data());
    }

    // Opens the field's menu as the Menu key does (the windowing system turns
    // the key into a keyboard context-menu event for the focused field), and
    // hands it to `use`.
    bool withMenu(Field field, const std::function<bool(QMenu*)>& use) {
        QMenu* opened = nullptr;
        auto grab = connect(edit(field), &MaskedEdit::contextMenuAboutToShow, this,
                            [&](QMenu* menu) { opened = menu; });
        edit(field)->setFocus(Qt::OtherFocusReason);
        const QPoint centre = edit(field)->rect().center();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre,
                                  edit(field)->mapToGlobal(centre));
        QApplication::sendEvent(edit(field), &menuKey);
        disconnect(grab);
        if (!opened) {
            return false;
        }
        std::unique_ptr<QMenu> owned(opened);
        return use(opened);
    }

    // Triggers the entry that starts with `entry` in the submenu `picker`.
    bool pick(Field field, const char* picker, const QString& entry) {
        return withMenu(field, [&](QMenu* menu) {
            for (QAction* action :
                 menu->findChild<QMenu*>(QString::fromLatin1(picker))->findChildren<QAction*>()) {
                if (action->text().startsWith(entry)) {
                    action->trigger();
                    return true;
                }
            }
            return false;
        });
    }

    OnTheAirView* openOnTheAirFromMenu(Field field) {
        const bool found = withMenu(field, [](QMenu* menu) {
            auto* action = menu->findChild<QAction*>(QStringLiteral("openOnTheAir"));
            if (action) {
                action->trigger();
            }
            return action != nullptr;
        });
        return found ? setup_->onTheAir() : nullptr;
    }

    static QString SpokenRow(QListWidget* list, int row) {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(list);
        for (int i = 0; access && i < access->childCount(); ++i) {
            QAccessibleInterface* child = access->child(i);
            if (child && child->role() == QAccessible::ListItem && row-- == 0) {
                return child->text(QAccessible::Name);
            }
        }
        return {};
    }

private slots:
    void init() {
        MessageBox::setRecording(true);
        line_ = std::make_shared<test::Line>();
        setup_ = test::ActiveSetupOn(line_);
        QVERIFY(setup_);
    }
    void cleanup() { setup_.reset(); }

    void marksFollowEdits() {
        const AdvisorMarks& marks = setup_->marks();
        const QColor base = edit(Field::edMyCall)->palette().color(QPalette::Base);
        QVERIFY(marks.isMarked(Field::edMyCall));
        QVERIFY(marks.isMarked(Field::edDestCall));
        QVERIFY(!marks.isMarked(Field::edAprsPath));
        QVERIFY(marks.toolTip(Field::edMyCall).startsWith("warning: The tracker will transmit as"));
        // The ear is told what the eye is: the finding leads the description,
        // the limits follow.
        const QString limits = QString::fromLatin1(DescriptionOf(Field::edMyCall).c_str());
        QVERIFY(edit(Field::edMyCall)
                    ->accessibleDescription()
                    .startsWith("warning: The tracker will transmit as"));
        QVERIFY(edit(Field::edMyCall)->accessibleDescription().endsWith(limits));
        QVERIFY(!edit(Field::edMyCall)->accessibleDescription().contains(QStringLiteral("..")));
        QCOMPARE(base, AdvisorMarks::Tint(edit(Field::edAprsPath)->palette()));

        edit(Field::edMyCall)->setFocus(Qt::OtherFocusReason);
        edit(Field::edMyCall)->selectAll();
        test::TypeText(edit(Field::edMyCall), QStringLiteral("ik0abc-9"));
        QCOMPARE(setup_->text(Field::edMyCall), "IK0ABC-9");
        QVERIFY(!marks.isMarked(Field::edMyCall));
        QCOMPARE(edit(Field::edMyCall)->accessibleDescription(), limits);
        // A finding that appears on the focused field is said once, not again
        // while it holds.
        auto* said = setup_->findChild<QLabel*>("advisorAnnouncer");
        QVERIFY(said);
        said->clear();
        edit(Field::edMyCall)->selectAll();
        test::TypeText(edit(Field::edMyCall), QStringLiteral("nocall"));
        QVERIFY2(said->text().startsWith("warning: "), qPrintable(said->text()));
        said->clear();
        put(Field::edAprsPath, "WIDE2-2");
        QCOMPARE(said->text(), QString());
        edit(Field::edMyCall)->selectAll();
        test::TypeText(edit(Field::edMyCall), QStringLiteral("ik0abc-9"));
        QCOMPARE(edit(Field::edMyCall)->palette(), edit(Field::edAprsPath)->palette());
        put(Field::edAprsPath, "WIDE3-3");
        QVERIFY(marks.isMarked(Field::edAprsPath));
        QVERIFY(marks.toolTip(Field::edAprsPath).contains("3 digipeater hops"));
        QVERIFY(marks.toolTip(Field::esSpeedTable0).startsWith("7.5 beacons an hour"));

        // GPSless: a malformed position marks the status text; a sound one is shown in words.
        put(Field::edGpsAcqTime, "000");
        put(Field::edBeacon, "4963.50N/07201.75W-");
        QVERIFY(marks.isMarked(Field::edBeacon));
        QVERIFY(marks.toolTip(Field::edBeacon).contains("minutes 63 are out of range"));
        put(Field::edBeacon, "4903.50N/07201.75W-");
        QVERIFY(!marks.isMarked(Field::edBeacon));
        QVERIFY(marks.toolTip(Field::edBeacon)
                    .startsWith("GPSless position: 49 deg 03.50 min N, 72 deg 01.75 min W"));
    }

    // The tint keeps the text readable: a contrast ratio of at least 4.5, in a
    // light and in a dark palette, in an active and in an inactive window. A
    // text colour that reads on the tint is the theme's own and stays.
    void tintReadsInLightAndDark_data() {
        QTest::addColumn<QColor>("base");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("inactiveText");
        QTest::addColumn<bool>("inactiveKept");
        QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black) << QColor(Qt::black)
                               << true;
        QTest::newRow("dark") << QColor(0x20, 0x20, 0x20) << QColor(0xE0, 0xE0, 0xE0)
                              << QColor(0xE0, 0xE0, 0xE0) << true;
        // Adwaita-Dark's inactive window draws its field text grey.
        QTest::newRow("dark, grey when inactive")
            << QColor(0x2D, 0x2D, 0x2D) << QColor(0xFF, 0xFF, 0xFF) << QColor(0x91, 0x91, 0x91)
            << false;
        QTest::newRow("light, grey when inactive")
            << QColor(Qt::white) << QColor(Qt::black) << QColor(0x9A, 0x9A, 0x9A) << false;
    }
    void tintReadsInLightAndDark() {
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        QFETCH(QColor, inactiveText);
        QFETCH(bool, inactiveKept);
        QPalette palette;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Button, base);
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(QPalette::Active, role, text);
            palette.setColor(QPalette::Inactive, role, inactiveText);
        }
        const QPalette marked = AdvisorMarks::Marked(palette);
        QCOMPARE(marked.color(QPalette::Base), AdvisorMarks::Tint(palette));
        QVERIFY(marked.color(QPalette::Base) != base);
        const auto luminance = [](const QColor& c) {
            const auto linear = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
                   0.0722 * linear(c.blueF());
        };
        const auto contrast = [&](const QColor& x, const QColor& y) {
            const double a = luminance(x) + 0.05;
            const double b = luminance(y) + 0.05;
            return std::max(a, b) / std::min(a, b);
        };
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            for (const auto& [background, foreground] :
                 {std::pair{QPalette::Base, QPalette::Text},
                  std::pair{QPalette::Button, QPalette::ButtonText}}) {
                const QColor back = marked.color(group, background);
                const QColor fore = marked.color(group, foreground);
                QVERIFY2(contrast(back, fore) >= 4.5,
                         qPrintable(fore.name() + " on " + back.name()));
            }
        }
        QCOMPARE(marked.color(QPalette::Active, QPalette::Text), text);
        QCOMPARE(marked.color(QPalette::Inactive, QPalette::Text) == inactiveText, inactiveKept);
    }

    void pickersSetTheirFields_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("changed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alternate");
        const auto row = [](const char* name, Field field, const char* picker, const char* entry,
                            Field changed, const char* text, int alternate = -1) {
            QTest::newRow(name) << int(field) << QString::fromLatin1(picker)
                                << QString::fromUtf8(entry) << int(changed)
                                << QString::fromLatin1(text) << alternate;
        };
        row("symbol primary", Field::edSymbol, "pickSymbol", "Ambulance", Field::edSymbol, "a", 0);
        row("symbol alternate", Field::edSymbol, "pickSymbol", "Van with overlay", Field::edSymbol,
            "v", 1);
        row("path", Field::edAprsPath, "pickPath", "WIDE2-2 \u2013", Field::edAprsPath, "WIDE2-2");
        row("no path", Field::edAprsPath, "pickPath", "(none)", Field::edAprsPath, "");
        row("SSID", Field::edMyCall, "pickSsid", "-7:", Field::edMyCall, "NOCALL-7");
        row("no SSID", Field::edMyCall, "pickSsid", "none", Field::edMyCall, "NOCALL");
        row("timing", Field::esSpeedTable3, "pickTiming", "Car", Field::esSpeedTable6, "060");
    }
    void pickersSetTheirFields() {
        QFETCH(int, field);
        QFETCH(QString, picker);
        QFETCH(QString, entry);
        QFETCH(int, changed);
        QFETCH(QString, text);
        QFETCH(int, alternate);
        QVERIFY(pick(Field(field), picker.toLatin1().constData(), entry));
        QCOMPARE(QString::fromStdString(setup_->text(Field(changed))), text);
        if (alternate >= 0) {
            QCOMPARE(setup_->value(Field::chkTable), alternate);
            QVERIFY(setup_->marks().toolTip(Field::edSymbol).startsWith("'" + text + "'"));
        }
    }

    // The window "On the air" opens by its key and from every text field's
    // menu, one instance, and closes with Esc.
    void onTheAirOpensByKeyAndMenu() {
        QVERIFY(!setup_->onTheAir());
        edit(Field::edBeacon)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit(Field::edBeacon), Setup::kOnTheAirKey);
        OnTheAirView* view = setup_->onTheAir();
        QVERIFY(view);
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QVERIFY(QTest::qWaitForWindowActive(view));
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!view->isVisible());
        for (const FieldTraits& traits : AllFields()) {
            if (edit(traits.field)) {
                QCOMPARE(openOnTheAirFromMenu(traits.field), view);
                QVERIFY2(view->isVisible(), traits.name.data());
                view->close();
            }
        }
    }

    // It follows edits, marks a band above one station's share in colour and in
    // words, and says why nothing goes on the air when SEND would refuse.
    void onTheAirFollowsEditsAndSpeaks() {
        setup_->showOnTheAir();
        OnTheAirView* view = setup_->onTheAir();
        auto* packets = view->findChild<QListWidget*>(QStringLiteral("airPackets"));
        auto* rates = view->findChild<QListWidget*>(QStringLiteral("airRates"));
        auto* problem = view->findChild<QLabel*>(QStringLiteral("airProblem"));
        QCOMPARE(packets->count(), 3);
        QCOMPARE(rates->count(), int(1 + kSpeedBands));
        QVERIFY(SpokenRow(packets, 1)
                    .startsWith("Status report from NOCALL-9 to QKORVL via "
                                "WIDE1-1,WIDE2-2: 58 bytes, 481 bits,"));

        put(Field::edMyCall, "IK0ABC-9");
        put(Field::esSpeedTable6, "010");
        QVERIFY(view->report()->packets[0].tnc2.starts_with("IK0ABC-9>"));
        QVERIFY(view->report()->rates.back().aboveReference);
        const QString fastest = SpokenRow(rates, int(kSpeedBands));
        QVERIFY2(fastest.startsWith("Speed > 125 Km/h, every 10 seconds: 360 position reports"),
                 qPrintable(fastest));
        QVERIFY2(fastest.contains("percent of the channel with the copies, above the "
                                  "one-station reference of"),
                 qPrintable(fastest));
        QVERIFY(SpokenRow(rates, 0).contains(", within the one-station reference"));

        put(Field::edReceiver, "");
        QVERIFY(!view->report());
        QCOMPARE(packets->count(), 0);
        QVERIFY(!problem->isHidden());
        QVERIFY(problem->text().contains("Unprotocol call: empty"));
    }

    // Tab goes through every part of the view and comes back.
    void onTheAirKeyboardReachesEverything() {
        setup_->showOnTheAir();
        OnTheAirView* view = setup_->onTheAir();
        QVERIFY(QTest::qWaitForWindowActive(view));
        QStringList reached;
        for (int i = 0; i < 6; ++i) {
            reached << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (const char* name :
             {"airSample", "airPackets", "airRates", "airAssumptions", "airClose"}) {
            QVERIFY2(reached.contains(QString::fromLatin1(name)), qPrintable(reached.join(' ')));
        }
    }

    // A real modal box, answered by a timer: Yes sends as it stands; No sends
    // nothing and puts the focus on MY CALLSIGN. SEND stays disabled meanwhile.
    void sendAsksOnAPlaceholderCallsign_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void sendAsksOnAPlaceholderCallsign() {
        QFETCH(bool, yes);
        MessageBox::setRecording(false);
        QString asked;
        bool disabledWhileOpen = false;
        QTimer::singleShot(50, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            asked = box->text();
            disabledWhileOpen = !setup_->controls().cmdSend->isEnabled();
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        setup_->controls().cmdSend->click();
        MessageBox::setRecording(true);
        QVERIFY2(asked.startsWith("MY CALLSIGN is NOCALL-9, a placeholder"), qPrintable(asked));
        QVERIFY(disabledWhileOpen);
        if (yes) {
            QVERIFY(QTest::qWaitFor([&] { return setup_->controls().cmdSend->isEnabled(); }));
            QCOMPARE(line_->bytes.size(), std::size_t(120));
        } else {
            QVERIFY(setup_->controls().cmdSend->isEnabled());
            QVERIFY(line_->bytes.empty());
            QCOMPARE(setup_->focusWidget(), edit(Field::edMyCall));
        }
    }

    void sendAsksNothingForARealCallsign() {
        put(Field::edMyCall, "IK0ABC-9");
        setup_->controls().cmdSend->click();
        QVERIFY(MessageBox::takeAsked().isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return setup_->controls().cmdSend->isEnabled(); }));
        QCOMPARE(line_->bytes.size(), std::size_t(120));
    }
};

QTEST_MAIN(AdvisorWindowTest)
#include "AdvisorWindowTest.moc"
