#include "ui/frmIstruzioni.h"

#include "rtf/InstructionsFile.h"
#include "rtf/RtfReader.h"
#include "settings/RoundHalfEven.h"
#include "ui/InstructionsIcon.h"
#include "ui/MessageBox.h"
#include "ui/RtfTextDocument.h"
#include "ui/WindowMetrics.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <filesystem>
#include <utility>

namespace {

// Half of `twips` to the nearest whole twip, a half going to the even one.
int HalfToEven(int twips) {
    return static_cast<int>(korvel::RoundHalfEven(twips / 2.0));
}

bool IsExternalLink(const QUrl& link) {
    const QString scheme = link.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

// A link to a bookmark of the document itself: nothing but "#name".
bool IsBookmarkLink(const QUrl& link) {
    return link.hasFragment() && link.scheme().isEmpty() && link.host().isEmpty() &&
           link.path().isEmpty() && link.query().isEmpty();
}

} // namespace

namespace korvel {

frmIstruzioni::frmIstruzioni(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmIstruzioni"));
    setWindowTitle(QStringLiteral("Istruzioni:"));
    setWindowIcon(InstructionsIcon());
    resize(TwipsToPixels(9330), TwipsToPixels(4725));

    rtfIstruzioni = new QTextBrowser(this);
    rtfIstruzioni->setObjectName(QStringLiteral("rtfIstruzioni"));
    rtfIstruzioni->setGeometry(Twips(0, 0, 9285, 4620));
    // Links are followed here, not by the viewer: it would load any other
    // address as the document.
    rtfIstruzioni->setOpenLinks(false);
    connect(rtfIstruzioni, &QTextBrowser::anchorClicked, this, &frmIstruzioni::followLink);
    rtfIstruzioni->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    rtfIstruzioni->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette viewerPalette = rtfIstruzioni->palette();
    viewerPalette.setColor(QPalette::Base, viewerPalette.color(QPalette::ToolTipBase));
    viewerPalette.setColor(QPalette::Text, viewerPalette.color(QPalette::ToolTipText));
    rtfIstruzioni->setPalette(viewerPalette);
    setFocusProxy(rtfIstruzioni);
    // The keyboard moves a caret through the text, so a screen reader reads it
    // line by line; the text stays read-only.
    rtfIstruzioni->setTextInteractionFlags(Qt::TextBrowserInteraction |
                                           Qt::TextSelectableByKeyboard);
    auto* closer = new QAction(this);
    closer->setShortcut(QKeySequence(Qt::Key_Escape));
    closer->setShortcutContext(Qt::WindowShortcut);
    connect(closer, &QAction::triggered, this, &QWidget::close);
    addAction(closer);

    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &frmIstruzioni::onFocusWindowChanged);
    previousWasOtherOwnWindow_ = QGuiApplication::focusWindow() != nullptr;
    centre();
}

void frmIstruzioni::centre() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return; // the window keeps its designed place
    }
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    const int left = HalfToEven((area.width() - outer.width()) * kTwipsPerPixel);
    const int top = HalfToEven((area.height() - outer.height()) * kTwipsPerPixel);
    move(area.x() + TwipsToPixels(left), area.y() + TwipsToPixels(top));
}

void frmIstruzioni::Apri(const QString& NFileIstruzioni, const QString& Titolo) {
    NFileIstruzioni_ = NFileIstruzioni;
    setWindowTitle(QStringLiteral(" ") + Titolo);
    rtfIstruzioni->setAccessibleName(Titolo);
    const bool alreadyActive = isVisible() && isActiveWindow();
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized); // F1 brings it back up
    }
    show();
    raise();
    activateWindow();
    // Showing and raising is an activation: load now, and let the focus change
    // that follows it pass without loading again.
    activationLoadDone_ = !alreadyActive;
    load();
}

void frmIstruzioni::onFocusWindowChanged(QWindow* now) {
    QWindow* const self = windowHandle();
    // The focus goes straight from one window of the program to another; when
    // it comes from no window at all, the user was in another application.
    const bool fromOwnWindow = previousWasOtherOwnWindow_;
    previousWasOtherOwnWindow_ = now != nullptr && now != self;
    if (now == nullptr || now != self) {
        activationLoadDone_ = false;
        return;
    }
    if (std::exchange(activationLoadDone_, false)) {
        return;
    }
    if (fromOwnWindow && isVisible()) {
        load();
    }
}

void frmIstruzioni::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutViewer();
}

// The text fills the client area, never less than one pixel each way.
void frmIstruzioni::layoutViewer() {
    if (isMinimized()) {
        return;
    }
    rtfIstruzioni->setGeometry(0, 0, std::max(width(), 1), std::max(height(), 1));
}

void frmIstruzioni::followLink(const QUrl& link) {
    if (IsExternalLink(link)) {
        QDesktopServices::openUrl(link);
    } else if (IsBookmarkLink(link)) {
        rtfIstruzioni->scrollToAnchor(link.fragment());
    }
    // Any other link (a relative path, a file) leads nowhere.
}

QString frmIstruzioni::ResolveFile(const QString& name) {
    const auto found = FindInstructions(std::filesystem::path(name.toStdU16String()),
                                        QCoreApplication::applicationDirPath().toStdU16String());
    return found ? QString::fromStdU16String(found->u16string()) : QString();
}

void frmIstruzioni::showExplanation(const QString& line) {
    rtfIstruzioni->document()->clear();
    rtfIstruzioni->setPlainText(line);
}

void frmIstruzioni::load() {
    if (loading_) {
        return; // a focus change while the missing-file message is up
    }
    const QScopedValueRollback<bool> guard(loading_, true);
    const QString path = ResolveFile(NFileIstruzioni_);
    if (path.isEmpty()) {
        MessageBox::show(this, QStringLiteral("Manca il file di help ") + NFileIstruzioni_,
                         MessageBox::programTitle(), MessageBox::Icon::Critical);
        close();
        return;
    }
    const InstructionsBytes read = ReadInstructions(path.toStdU16String());
    if (read.problem == InstructionsBytes::Problem::TooLarge) {
        showExplanation(tr("The instructions file %1 is too large to show.").arg(path));
        return;
    }
    if (read.problem != InstructionsBytes::Problem::None) {
        showExplanation(tr("The instructions file %1 cannot be read: %2.")
                            .arg(path, QString::fromStdString(read.reason)));
        return;
    }
    if (read.bytes.empty()) {
        rtfIstruzioni->clear(); // an empty file is an empty document
        return;
    }
    const rtf::Document document = rtf::ReadRtf(read.bytes);
    if (!document.isRtf) {
        showExplanation(tr("The instructions file %1 is not an RTF document.").arg(path));
        return;
    }
    // The guide is laid out for a light page; on a dark one its colours give
    // way where they could not be read.
    const QPalette& viewer = rtfIstruzioni->palette();
    FillTextDocument(
        *rtfIstruzioni->document(), document,
        {viewer.color(QPalette::Base), viewer.color(QPalette::Text), viewer.color(QPalette::Link)});
    rtfIstruzioni->moveCursor(QTextCursor::Start); // reading starts at the top
}

} // namespace korvel
