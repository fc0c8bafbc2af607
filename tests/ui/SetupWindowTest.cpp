#include "WindowTestSupport.h"
#include "settings/FieldRule.h"
#include "settings/FieldTable.h"
#include "ui/CaptionFrame.h"
#include "ui/Dialog.h"
#include "ui/MaskedEdit.h"
#include "ui/MessageBox.h"
#include "ui/Setup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <vector>

using namespace korvel;

namespace {

QString Name(std::string_view name) {
    return QString::fromLatin1(name.data(), name.size());
}

// The name of the control that has the focus; an editable list's inner line
// counts as the list.
QString FocusedName() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused) {
        return QString();
    }
    if (auto* combo = qobject_cast<QComboBox*>(focused->parentWidget())) {
        return combo->objectName();
    }
    return focused->objectName();
}

// Where a control's caption is drawn, in its parent's coordinates: a label's
// text as inked (its line's room above and below may overlap a neighbour's, as
// the window was drawn), a check box with its text, a frame's caption across
// its top edge; any other control fills its box.
QRect DrawnExtent(const QWidget* control) {
    if (const auto* frame = qobject_cast<const CaptionFrame*>(control)) {
        return frame->captionRect().translated(frame->pos());
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        // One line, at the top left of the label's box.
        const QFontMetrics metrics = label->fontMetrics();
        const QPoint baseline = label->contentsRect().topLeft() + QPoint(0, metrics.ascent());
        return metrics.tightBoundingRect(label->text()).translated(label->pos() + baseline);
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        return QRect(box->pos(), QSize(box->sizeHint().width(), box->height()));
    }
    return control->geometry();
}

} // namespace

// The main window's controls, focus and layout.
class SetupWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Setup> setup_;

    MaskedEdit* edit(const QString& name) const { return setup_->findChild<MaskedEdit*>(name); }

private slots:
    void init() {
        MessageBox::setRecording(true);
        setup_ = std::make_unique<Setup>();
        setup_->show();
        setup_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(setup_.get()));
        QCoreApplication::processEvents();
    }

    void cleanup() {
        setup_.reset();
        QCOMPARE(MessageBox::takeRecorded().size(), 0);
    }

    void everyControlOpensWithItsFactoryDefault() {
        for (const FieldTraits& traits : AllFields()) {
            QWidget* control = setup_->findChild<QWidget*>(Name(traits.name));
            QVERIFY2(control, traits.name.data());
            if (traits.isText()) {
                QCOMPARE(qobject_cast<MaskedEdit*>(control)->fieldText(), Name(traits.defaultText));
            } else {
                QCOMPARE(setup_->value(traits.field), traits.defaultValue);
            }
        }
        QCOMPARE(setup_->controls().list(Field::cbMicEMsg)->currentText(),
                 QStringLiteral("Off Duty"));
        QCOMPARE(setup_->startMarker()[0], 0xFF);
        QCOMPARE(setup_->startMarker()[1], 0xFF);
        QVERIFY(setup_->resultDialog());
        QVERIFY(!setup_->resultDialog()->isVisible());
    }

    void defaultButtonRestoresEveryField() {
        for (const FieldTraits& traits : AllFields()) {
            if (traits.isText()) {
                QVERIFY(setup_->setText(traits.field, FieldRule(traits).emptyText()));
            } else {
                QVERIFY(setup_->setValue(traits.field, traits.kind == FieldKind::Check ? 1 : 7));
            }
        }
        QTest::mouseClick(setup_->controls().cmdDefault, Qt::LeftButton);
        for (const FieldTraits& traits : AllFields()) {
            if (traits.isText()) {
                QCOMPARE(QString::fromStdString(setup_->text(traits.field)),
                         Name(traits.defaultText));
            } else {
                QCOMPARE(setup_->value(traits.field), traits.defaultValue);
            }
        }
    }

    void windowIsFixedInSizeAndMinimisable() {
        QCOMPARE(setup_->windowTitle(), QStringLiteral("Korvel Config v2.5 by QX7ZUL"));
        QCOMPARE(setup_->size(), QSize(289, 504));
        QCOMPARE(setup_->minimumSize(), setup_->maximumSize());
        const Qt::WindowFlags flags = setup_->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!setup_->windowIcon().isNull());
        QVERIFY(setup_->windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(setup_->windowIcon().availableSizes().contains(QSize(32, 32)));
        // Sharp at scale 2 and in a task switcher: drawn at the size asked for.
        for (const int size : {64, 128}) {
            QCOMPARE(setup_->windowIcon().pixmap(QSize(size, size)).size(), QSize(size, size));
        }
    }

    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");

        QTest::newRow("first frame") << "Frame1" << QRect(4, 0, 281, 153);
        QTest::newRow("tx delay") << "edNumFlagsAuto" << QRect(80, 16, 27, 17);
        QTest::newRow("four-digit speed") << "esSpeedTable(0)" << QRect(99, 16, 36, 17);
        QTest::newRow("three-digit speed") << "esSpeedTable(6)" << QRect(107, 112, 28, 17);
        QTest::newRow("send") << "cmdSend" << QRect(104, 48, 73, 25);
        QTest::newRow("port") << "edComm" << QRect(72, 54, 17, 17);
    }

    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QWidget* control = setup_->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), pixels);
    }

    // Each frame's top line, as drawn, runs through the middle of its caption,
    // clear of the first row of controls inside.
    void everyFrameLineRunsThroughItsCaptionAboveItsControls() {
        const QList<QGroupBox*> frames = setup_->findChildren<QGroupBox*>();
        QCOMPARE(frames.size(), 7);
        const QImage window = setup_->grab().toImage();
        const QRgb background = setup_->palette().color(QPalette::Window).rgb();
        for (QGroupBox* frame : frames) {
            // A column right of every caption, down from the frame's top edge;
            // the rows where the frame above ends are left out.
            const QPoint top = frame->mapTo(setup_.get(), QPoint(frame->width() - 8, 0));
            int line = 2;
            while (line < frame->height() && window.pixel(top + QPoint(0, line)) == background) {
                ++line;
            }
            int firstRow = frame->height();
            for (const QWidget* control :
                 frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                firstRow = std::min(firstRow, control->y());
            }
            const QFont captionFont = qobject_cast<CaptionFrame*>(frame)->captionFont();
            const int captionMiddle = QFontMetrics(captionFont).height() / 2;
            QVERIFY2(std::abs(line - captionMiddle) <= 1,
                     qPrintable(frame->objectName() + QStringLiteral(": line at %1").arg(line)));
            QVERIFY2(line + 2 <= firstRow, qPrintable(frame->objectName()));
        }
    }

    // Whatever font the system gives, every caption stays inside its frame's
    // border and clear of every other control and caption beside it.
    void noCaptionTouchesItsFrameEdgeOrAnotherControl() {
        for (QWidget* parent : setup_->findChildren<QWidget*>()) {
            if (parent->window() != setup_.get()) {
                continue;
            }
            const QList<QWidget*> children =
                parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* control : children) {
                const bool captioned = qobject_cast<QLabel*>(control) ||
                                       qobject_cast<QCheckBox*>(control) ||
                                       qobject_cast<CaptionFrame*>(control);
                if (!captioned || control->isHidden()) {
                    continue;
                }
                const QRect caption = DrawnExtent(control);
                const QString name = control->objectName();
                // Inside the frame's etched border, two pixels each side.
                const QRect inside = qobject_cast<CaptionFrame*>(control)
                                         ? control->geometry().adjusted(2, 0, -2, 0)
                                         : parent->rect().adjusted(2, 0, -2, -2);
                QVERIFY2(inside.contains(caption),
                         qPrintable(name + QStringLiteral(" crosses its frame's edge")));
                const QList<QWidget*> neighbours =
                    qobject_cast<CaptionFrame*>(control)
                        ? control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)
                        : children;
                for (const QWidget* other : neighbours) {
                    if (other == control || other->isHidden()) {
                        continue;
                    }
                    const QRect extent = qobject_cast<const CaptionFrame*>(control)
                                             ? other->geometry().translated(control->pos())
                                             : DrawnExtent(other);
                    QVERIFY2(!caption.intersects(extent),
                             qPrintable(name + QStringLiteral(" touches ") + other->objectName()));
                }
            }
        }
    }

    // The font family the test was run with (KORVEL_TEST_FONT_FAMILY, where the
    // test is run with a font configuration that offers that family alone) is
    // the one the window got: a missing font fails rather than passes unseen.
    void windowUsesTheFontFamilyItIsTestedWith() {
        const QString family = qEnvironmentVariable("KORVEL_TEST_FONT_FAMILY");
        if (family.isEmpty()) {
            QSKIP("run without a font family of its own");
        }
        // Qt names the foundry too where the family comes from more than one.
        const QString got = QFontInfo(setup_->font()).family().section(QStringLiteral(" ["), 0, 0);
        QVERIFY2(got == family, qPrintable(QStringLiteral("got %1, not %2: is %2 installed "
                                                          "(scripts/install-deps --test)?")
                                               .arg(got, family)));
    }

    void noButtonIsDefaultAndNoCaptionHasAnAccessKey() {
        for (QPushButton* button : setup_->findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
            QVERIFY(!button->text().contains(QLatin1Char('&')));
        }
        for (QCheckBox* box : setup_->findChildren<QCheckBox*>()) {
            QVERIFY(!box->text().contains(QLatin1Char('&')));
        }
    }

    void micEListIsEditableWithEightEntries() {
        QComboBox* combo = setup_->controls().list(Field::cbMicEMsg);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->count(), 8);
        QCOMPARE(combo->itemText(7), QStringLiteral("Emergency"));
        QVERIFY(combo->font().pixelSize() < setup_->font().pixelSize());
        combo->setEditText(QStringLiteral("Not an entry"));
        QCOMPARE(setup_->value(Field::cbMicEMsg), -1);
        combo->setEditText(QStringLiteral("Special"));
        QCOMPARE(setup_->value(Field::cbMicEMsg), 5);
    }

    void captionsOfOneKindShareOneSizeAndFit_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("small");
        QTest::newRow("labels") << "QLabel" << false;
        QTest::newRow("small labels") << "QLabel" << true;
        QTest::newRow("check boxes") << "QCheckBox" << false;
        QTest::newRow("buttons") << "QPushButton" << false;
    }

    void captionsOfOneKindShareOneSizeAndFit() {
        QFETCH(QString, kind);
        QFETCH(bool, small);
        const QStringList smallNotes{"Label33", "Label34"};
        QSet<int> sizes;
        for (QWidget* control : setup_->findChildren<QWidget*>()) {
            if (control->window() != setup_.get() ||
                kind != QLatin1String(control->metaObject()->className()) ||
                smallNotes.contains(control->objectName()) != small) {
                continue;
            }
            sizes.insert(control->font().pixelSize());
            const QString caption = control->property("text").toString();
            QVERIFY2(control->fontMetrics().horizontalAdvance(caption) <= control->width(),
                     qPrintable(caption));
        }
        QCOMPARE(sizes.size(), 1);
    }

    void tooltipsNameTheLimits() {
        QVERIFY(edit("edAprsPath")->toolTip().contains(QLatin1String("2 digipeater")));
        QVERIFY(edit("edBeacon")->toolTip().contains(QLatin1String("26 characters")));
        QVERIFY(edit("edBeacon")
                    ->toolTip()
                    .endsWith(QLatin1String("Enter aprs Lat/Lon in GPSless Mode.")));
        QVERIFY(edit("edAprsMsg")->toolTip().contains(QLatin1String("34 characters")));
        QVERIFY(edit("edComm")->toolTip().contains(QLatin1String("COM1")));
    }

    void firstFieldHasTheFocusWithItsTextSelected() {
        QCOMPARE(FocusedName(), QStringLiteral("edNumFlagsAuto"));
        QCOMPARE(edit("edNumFlagsAuto")->selectedText(), test::FactoryText("edNumFlagsAuto"));
    }

    void tabVisitsTheControlsInOrderAndWraps() {
        // The fields by the table's tab index, the buttons right after the port
        // number; the focus starts on the first field, so the walk ends there.
        std::vector<FieldTraits> fields(AllFields().begin(), AllFields().end());
        std::ranges::sort(fields, {}, [](const FieldTraits& t) { return t.form.tabIndex; });
        QStringList expected;
        for (const FieldTraits& traits : fields) {
            expected.append(QString::fromLatin1(traits.name.data(), traits.name.size()));
            if (traits.field == Field::edComm) {
                expected << "cmdSend"
                         << "cmdLoad"
                         << "cmdSave"
                         << "cmdDefault"
                         << "cmdHelp";
            }
        }
        expected.move(0, expected.size() - 1);
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(FocusedName());
        }
        QCOMPARE(visited, expected);
    }

    void selectOnFocusByTab_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("selected");

        QTest::newRow("status every") << "edMyCall"
                                      << "edBcnEvery" << test::FactoryText("edBcnEvery");
        QTest::newRow("speed table") << "esSpeedTable(3)"
                                     << "esSpeedTable(4)" << test::FactoryText("esSpeedTable(4)");
        QTest::newRow("gps interval") << "esSpeedTable(6)"
                                      << "edGpsCheckTime" << test::FactoryText("edGpsCheckTime");
        QTest::newRow("retries") << "edReceiver"
                                 << "edMsgRepeat" << test::FactoryText("edMsgRepeat");
        QTest::newRow("port") << "edAprsMsg"
                              << "edComm" << test::FactoryText("edComm");
        QTest::newRow("no select: gps timeout") << "edGpsCheckTime"
                                                << "edGpsAcqTime"
                                                << "";
        QTest::newRow("no select: path") << "edBcnEvery"
                                         << "edAprsPath"
                                         << "";
        QTest::newRow("no select: receiver") << "edGpsAcqTime"
                                             << "edReceiver"
                                             << "";
    }

    void selectOnFocusByTab() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, selected);

        edit(from)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit(from), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(FocusedName(), to);
        QCOMPARE(edit(to)->selectedText(), selected);
    }

    void typingAfterTabReplacesTheValue() {
        edit("edMyCall")->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit("edMyCall"), Qt::Key_Tab);
        QCoreApplication::processEvents();
        test::TypeText(edit("edBcnEvery"), QStringLiteral("5"));
        QCOMPARE(edit("edBcnEvery")->fieldText(), QStringLiteral("5__"));
    }

    void selectOnFocusByClick_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("selected");

        QTest::newRow("retries") << "edMsgRepeat" << test::FactoryText("edMsgRepeat");
        QTest::newRow("manual time") << "edManualTime" << test::FactoryText("edManualTime");
        QTest::newRow("symbol") << "edSymbol" << test::FactoryText("edSymbol");
        QTest::newRow("gps timeout: caret only") << "edGpsAcqTime"
                                                 << "";
        QTest::newRow("message: caret only") << "edAprsMsg"
                                             << "";
    }

    void selectOnFocusByClick() {
        QFETCH(QString, field);
        QFETCH(QString, selected);

        MaskedEdit* target = edit(field);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
        QTest::qWait(20);
        QCOMPARE(FocusedName(), field);
        QCOMPARE(target->selectedText(), selected);
    }
};

QTEST_MAIN(SetupWindowTest)
#include "SetupWindowTest.moc"
