#include "TestFiles.h"
#include "rtf/RtfReader.h"
#include "ui/MessageBox.h"
#include "ui/RtfTextDocument.h"
#include "ui/Setup.h"
#include "ui/frmIstruzioni.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>
#include <cmath>

using korvel::frmIstruzioni;
using korvel::test::WriteFile;

namespace {

const QString kFile = QStringLiteral("Korvel_Config.rtf");
const QString kTitle = QStringLiteral("Korvel Config - Istruzioni");

QByteArray Rtf(const QByteArray& text) {
    return "{\\rtf1\\ansi " + text + "\\par}";
}

} // namespace

class InstructionsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensTitledCentredAndLoaded();
    void textAreaFollowsTheWindowSize_data();
    void textAreaFollowsTheWindowSize();
    void minimisedWindowLeavesTheTextArea();
    void reloadsOnActivationFromAnotherWindowOnly();
    void missingFileIsReportedThenTheWindowCloses();
    void fileBesideTheProgramIsFoundFromAnotherFolder();
    void zeroLengthFileCountsAsPresent();
    void unreadableOrForeignFileIsExplained();
    void secondApriKeepsOneWindow();
    void f1TwiceInTheMainWindowOpensOneWindow();
    void viewerIsReadOnlyOnToolTipColours();
    void keyboardReadsFromTheTopAndEscapeCloses();
    void linksOpenOutsideScrollOrDoNothing_data();
    void linksOpenOutsideScrollOrDoNothing();
    // Stands in for the desktop's browser and mail program.
    void openUrl(const QUrl& url) { opened_.append(url); }
    void converterBuildsFormatsListsAndTables();

private:
    frmIstruzioni* open(const QString& name = kFile);
    static QTextBrowser* viewer(frmIstruzioni* form) {
        return form->findChild<QTextBrowser*>(QStringLiteral("rtfIstruzioni"));
    }

    QTemporaryDir folder_;
    QString previousFolder_;
    QList<QUrl> opened_;
    QPointer<frmIstruzioni> form_;
};

void InstructionsWindowTest::init() {
    korvel::MessageBox::setRecording(true);
    korvel::MessageBox::takeRecorded();
    previousFolder_ = QDir::currentPath();
    QVERIFY(folder_.isValid());
    QVERIFY(QDir::setCurrent(folder_.path()));
    QVERIFY(WriteFile(kFile, Rtf("First {\\b version}")));
}

void InstructionsWindowTest::cleanup() {
    delete form_.data();
    QDir::setCurrent(previousFolder_);
    QDir(folder_.path()).removeRecursively();
    QDir().mkpath(folder_.path());
}

frmIstruzioni* InstructionsWindowTest::open(const QString& name) {
    form_ = new frmIstruzioni();
    form_->Apri(name, kTitle);
    return form_;
}

void InstructionsWindowTest::opensTitledCentredAndLoaded() {
    form_ = new frmIstruzioni();
    // Centred when created: half the free room, to the nearest twip (half to
    // even), 15 twips to a pixel.
    const QRect screen = form_->screen()->geometry();
    const auto centred = [](int free) {
        const double twips = std::nearbyint(free * 15 / 2.0);
        return static_cast<int>(std::lround(twips / 15));
    };
    const QPoint expected(screen.x() + centred(screen.width() - form_->frameGeometry().width()),
                          screen.y() + centred(screen.height() - form_->frameGeometry().height()));
    QCOMPARE(form_->pos(), expected);

    form_->Apri(kFile, kTitle);
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QCOMPARE(form_->windowTitle(), QStringLiteral(" Korvel Config - Istruzioni"));
    QCOMPARE(viewer(form_)->toPlainText(), QStringLiteral("First version"));
    QVERIFY(korvel::MessageBox::takeRecorded().isEmpty());
}

void InstructionsWindowTest::textAreaFollowsTheWindowSize_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QSize>("textArea");
    // The text fills the client area, never less than a pixel.
    QTest::newRow("designed") << QSize(622, 315) << QSize(622, 315);
    QTest::newRow("large") << QSize(1192, 868) << QSize(1192, 868);
    QTest::newRow("title bar only") << QSize(292, 0) << QSize(292, 1);
}

void InstructionsWindowTest::textAreaFollowsTheWindowSize() {
    QFETCH(QSize, client);
    QFETCH(QSize, textArea);
    open();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    form_->resize(client);
    QTRY_COMPARE(form_->size(), client);
    QCOMPARE(viewer(form_)->geometry(), QRect(QPoint(0, 0), textArea));
}

void InstructionsWindowTest::minimisedWindowLeavesTheTextArea() {
    open();
    form_->resize(630, 347);
    const QRect before = viewer(form_)->geometry();
    form_->setWindowState(Qt::WindowMinimized);
    form_->resize(900, 700);
    QCOMPARE(viewer(form_)->geometry(), before);
}

void InstructionsWindowTest::reloadsOnActivationFromAnotherWindowOnly() {
    QWidget mainWindow;
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
    open();
    QVERIFY(QTest::qWaitForWindowActive(form_));

    QVERIFY(WriteFile(kFile, Rtf("Second")));
    mainWindow.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    QTRY_COMPARE(viewer(form_)->toPlainText(), QStringLiteral("Second"));

    // Focus changes as the window system reports them: no focus window means
    // another application has it.
    const auto focus = [this](QWindow* window) {
        QVERIFY(QMetaObject::invokeMethod(form_, "onFocusWindowChanged", Qt::DirectConnection,
                                          Q_ARG(QWindow*, window)));
    };
    QWindow* const self = form_->windowHandle();
    QWindow* const other = mainWindow.windowHandle();

    QVERIFY(WriteFile(kFile, Rtf("Third")));
    focus(nullptr); // away to another application and back
    focus(self);
    QCOMPARE(viewer(form_)->toPlainText(), QStringLiteral("Second"));
    focus(other); // to the main window, then to another application, then back here
    focus(nullptr);
    focus(self);
    QCOMPARE(viewer(form_)->toPlainText(), QStringLiteral("Second"));
    focus(other); // straight from the main window
    focus(self);
    QCOMPARE(viewer(form_)->toPlainText(), QStringLiteral("Third"));
}

void InstructionsWindowTest::missingFileIsReportedThenTheWindowCloses() {
    const QString name = QStringLiteral("No_Such_Help_File.rtf");
    open(name);
    const auto shown = korvel::MessageBox::takeRecorded();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Manca il file di help No_Such_Help_File.rtf"));
    QCOMPARE(shown[0].title, QStringLiteral("Korvel"));
    QCOMPARE(shown[0].icon, korvel::MessageBox::Icon::Critical);
    QVERIFY(!form_->isVisible());
}

void InstructionsWindowTest::fileBesideTheProgramIsFoundFromAnotherFolder() {
    // The current folder changes when a settings file is saved elsewhere; the
    // help beside the program must still be found.
    const QString name = QStringLiteral("Beside_Program_Test.rtf");
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!QFileInfo(programFolder).isWritable()) {
        // The lookup itself is tested with any folder in the core's tests.
        QSKIP("the program's folder is not writable by this user");
    }
    const QString beside = QDir(programFolder).filePath(name);
    QVERIFY(WriteFile(beside, Rtf("Beside")));
    open(name);
    QFile::remove(beside);
    QVERIFY(korvel::MessageBox::takeRecorded().isEmpty());
    QVERIFY(!form_.isNull());
    QCOMPARE(viewer(form_)->toPlainText(), QStringLiteral("Beside"));
    QCOMPARE(frmIstruzioni::ResolveFile(QStringLiteral("Nowhere_At_All.rtf")), QString());
}

void InstructionsWindowTest::zeroLengthFileCountsAsPresent() {
    QVERIFY(WriteFile(kFile, QByteArray()));
    open();
    QVERIFY(korvel::MessageBox::takeRecorded().isEmpty());
    QVERIFY(!form_.isNull());
    QVERIFY(form_->isVisible());
    QCOMPARE(viewer(form_)->toPlainText(), QString());
}

void InstructionsWindowTest::unreadableOrForeignFileIsExplained() {
    QVERIFY(WriteFile(kFile, "just plain text"));
    open();
    QVERIFY(korvel::MessageBox::takeRecorded().isEmpty());
    QVERIFY(viewer(form_)->toPlainText().contains(QStringLiteral("not an RTF document")));
    QVERIFY(!viewer(form_)->toPlainText().contains(QLatin1Char('\n')));

    QVERIFY(QFile::setPermissions(kFile, QFileDevice::Permissions()));
    QFile probe(kFile);
    if (probe.open(QIODevice::ReadOnly)) {
        QSKIP("running with rights that read any file");
    }
    form_->Apri(kFile, kTitle);
    QVERIFY(viewer(form_)->toPlainText().contains(QStringLiteral("cannot be read")));
    QVERIFY(!form_.isNull());
}

void InstructionsWindowTest::secondApriKeepsOneWindow() {
    open();
    form_->Apri(kFile, QStringLiteral("Again"));
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        windows += qobject_cast<frmIstruzioni*>(widget) != nullptr ? 1 : 0;
    }
    QCOMPARE(windows, 1);
    QCOMPARE(form_->windowTitle(), QStringLiteral(" Again"));
}

void InstructionsWindowTest::f1TwiceInTheMainWindowOpensOneWindow() {
    korvel::Setup setup;
    setup.show();
    QVERIFY(QTest::qWaitForWindowActive(&setup));
    QWidget* field = setup.focusWidget() ? setup.focusWidget() : &setup;
    QTest::keyClick(field, Qt::Key_F1);
    QTest::keyClick(field, Qt::Key_F1, Qt::ShiftModifier);
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        windows += qobject_cast<frmIstruzioni*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    }
    QCOMPARE(windows, 1);
    QVERIFY(setup.instructions() != nullptr);
    QCOMPARE(setup.instructions()->windowTitle(), QStringLiteral(" Korvel Config - Istruzioni"));
    QVERIFY(korvel::MessageBox::takeRecorded().isEmpty());
}

void InstructionsWindowTest::viewerIsReadOnlyOnToolTipColours() {
    open();
    QTextBrowser* text = viewer(form_);
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::ToolTipBase));
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QVERIFY(!form_->windowIcon().isNull());
}

// A screen reader follows the caret: it starts at the top, the keys move it,
// the text stays as it is, and Escape closes the window.
void InstructionsWindowTest::keyboardReadsFromTheTopAndEscapeCloses() {
    QVERIFY(WriteFile(kFile, Rtf("One\\par Two\\par Three")));
    open();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    QTextBrowser* text = viewer(form_);
    QCOMPARE(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name),
             QStringLiteral("Korvel Config - Istruzioni"));
    QCOMPARE(text->textCursor().position(), 0);
    QTest::keyClick(text, Qt::Key_Down);
    QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(text->textCursor().position(), text->document()->characterCount() - 1);
    QTest::keyClick(text, Qt::Key_X);
    QCOMPARE(text->toPlainText(), QStringLiteral("One\nTwo\nThree"));
    QTest::keyClick(text, Qt::Key_Escape);
    QVERIFY(!form_->isVisible());
}

void InstructionsWindowTest::linksOpenOutsideScrollOrDoNothing_data() {
    QTest::addColumn<QByteArray>("instruction");
    QTest::addColumn<QUrl>("opened");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("web") << QByteArray("HYPERLINK \"https://x.org/\"") << QUrl("https://x.org/")
                         << false;
    QTest::newRow("mail") << QByteArray("HYPERLINK \"mailto:a@x.org\"") << QUrl("mailto:a@x.org")
                          << false;
    QTest::newRow("bookmark") << QByteArray("HYPERLINK \\\\l \"far\"") << QUrl() << true;
    QTest::newRow("relative") << QByteArray("HYPERLINK \"other.rtf\"") << QUrl() << false;
    QTest::newRow("file") << QByteArray("HYPERLINK \"file:///etc/hostname\"") << QUrl() << false;
}

void InstructionsWindowTest::linksOpenOutsideScrollOrDoNothing() {
    QFETCH(QByteArray, instruction);
    QFETCH(QUrl, opened);
    QFETCH(bool, scrolls);
    QByteArray body = "{\\field{\\*\\fldinst " + instruction + "}{\\fldrslt Link}}\\par ";
    for (int i = 0; i < 200; ++i) {
        body += "Line\\par ";
    }
    QVERIFY(WriteFile(kFile, Rtf(body + "{\\*\\bkmkstart far}Far")));
    for (const char* scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
    opened_.clear();
    open();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QTextBrowser* text = viewer(form_);
    const QString before = text->toPlainText();
    QTextCursor onLink(text->document());
    onLink.setPosition(1);
    const QPoint at = text->cursorRect(onLink).center();
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, at);

    for (const char* scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QCOMPARE(opened_, opened.isEmpty() ? QList<QUrl>{} : QList<QUrl>{opened});
    QCOMPARE(text->toPlainText(), before);
    QCOMPARE(text->verticalScrollBar()->value() > 0, scrolls);
}

void InstructionsWindowTest::converterBuildsFormatsListsAndTables() {
    const korvel::rtf::Document source = korvel::rtf::ReadRtf(
        R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red192\green0\blue0;})"
        R"(\outlinelevel0\b Title\par\pard\plain)"
        R"({\listtext\'95\tab}\li720\fi-360 {\cf1 red} {\i it}\par\pard)"
        R"(\trowd\clcbpat1\cellx1500\cellx3000\intbl a\cell b\cell\row)"
        R"(\pard{\field{\*\fldinst HYPERLINK "https://x.org"}{\fldrslt link}}\par})");
    QTextDocument document;
    korvel::FillTextDocument(document, source);

    const QTextBlock title = document.firstBlock();
    QCOMPARE(title.text(), QStringLiteral("Title"));
    QCOMPARE(title.blockFormat().headingLevel(), 1);
    QCOMPARE(title.charFormat().fontWeight(), int(QFont::Bold));

    const QTextBlock item = title.next();
    QCOMPARE(item.text(), QStringLiteral("•\tred it"));
    QCOMPARE(item.blockFormat().leftMargin(), 48.0);
    QCOMPARE(item.blockFormat().textIndent(), -24.0);
    bool sawRed = false;
    for (auto it = item.begin(); !it.atEnd(); ++it) {
        if (it.fragment().text() == QStringLiteral("red")) {
            sawRed = it.fragment().charFormat().foreground().color() == QColor(192, 0, 0);
        }
    }
    QVERIFY(sawRed);

    QTextCursor cursor(item.next());
    QTextTable* table = cursor.currentTable();
    QVERIFY(table != nullptr);
    QCOMPARE(table->rows(), 1);
    QCOMPARE(table->columns(), 2);
    QCOMPARE(table->cellAt(0, 1).firstCursorPosition().block().text(), QStringLiteral("b"));
    QCOMPARE(table->cellAt(0, 0).format().background().color(), QColor(192, 0, 0));
    QCOMPARE(table->cellAt(0, 1).format().background().style(), Qt::NoBrush);

    const QTextBlock last = document.lastBlock();
    QCOMPARE(last.text(), QStringLiteral("link"));
    QCOMPARE(last.begin().fragment().charFormat().anchorHref(), QStringLiteral("https://x.org"));
}

QTEST_MAIN(InstructionsWindowTest)
#include "InstructionsWindowTest.moc"
