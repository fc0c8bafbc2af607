#include "ui/frmIstruzioni.h"

#include "rtf/RtfReader.h"
#include "ui/InstructionsIcon.h"
#include "ui/MessageBox.h"
#include "ui/RtfTextDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTextBrowser>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kTwipsPerPixel = 15;
// Allowance for the window's borders and title bar, in twips.
constexpr int kBorderAllowance = 120;
constexpr int kTitleAllowance = 480;
// Larger files are refused rather than read whole into memory.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// Half of `twips` to the nearest whole twip, a half going to the even one.
int HalfToEven(int twips) {
    if (twips % 2 == 0) {
        return twips / 2;
    }
    const int down = (twips - 1) / 2;
    return down % 2 == 0 ? down : down + 1;
}

int TwipsToPixels(int twips) {
    return std::max(1, static_cast<int>(std::lround(twips / double(kTwipsPerPixel))));
}

} // namespace

namespace korvel {

frmIstruzioni::frmIstruzioni(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmIstruzioni"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Istruzioni:"));
    setWindowIcon(InstructionsIcon());
    resize(9330 / kTwipsPerPixel, 4725 / kTwipsPerPixel);

    rtfIstruzioni = new QTextBrowser(this);
    rtfIstruzioni->setObjectName(QStringLiteral("rtfIstruzioni"));
    rtfIstruzioni->setGeometry(0, 0, 9285 / kTwipsPerPixel, 4620 / kTwipsPerPixel);
    rtfIstruzioni->setOpenExternalLinks(true);
    rtfIstruzioni->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    rtfIstruzioni->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette viewerPalette = rtfIstruzioni->palette();
    viewerPalette.setColor(QPalette::Base, viewerPalette.color(QPalette::ToolTipBase));
    viewerPalette.setColor(QPalette::Text, viewerPalette.color(QPalette::ToolTipText));
    rtfIstruzioni->setPalette(viewerPalette);
    setFocusProxy(rtfIstruzioni);

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
    move(area.x() + static_cast<int>(std::lround(left / double(kTwipsPerPixel))),
         area.y() + static_cast<int>(std::lround(top / double(kTwipsPerPixel))));
}

void frmIstruzioni::Apri(const QString& NFileIstruzioni, const QString& Titolo) {
    NFileIstruzioni_ = NFileIstruzioni;
    setWindowTitle(QStringLiteral(" ") + Titolo);
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

void frmIstruzioni::layoutViewer() {
    if (isMinimized()) {
        return;
    }
    const QSize outer = frameGeometry().size();
    const int width = std::max(outer.width() * kTwipsPerPixel - kBorderAllowance, 1);
    const int height = std::max(outer.height() * kTwipsPerPixel - kTitleAllowance, 1);
    rtfIstruzioni->setGeometry(0, 0, TwipsToPixels(width), TwipsToPixels(height));
}

bool frmIstruzioni::EsisteFile(const QString& path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isFile();
}

QString frmIstruzioni::ResolveFile(const QString& name) {
    if (EsisteFile(name)) {
        return name;
    }
    if (name.isEmpty() || !QFileInfo(name).isRelative()) {
        return {};
    }
    // The program's own folder and the installed data folder, so that the help
    // is still found after the current folder changed to a settings file's.
    const QString programFolder = QCoreApplication::applicationDirPath();
    QStringList folders{programFolder};
#ifdef KORVEL_DATA_DIR_FROM_PROGRAM
    folders.append(QDir(programFolder).filePath(QStringLiteral(KORVEL_DATA_DIR_FROM_PROGRAM)));
#endif
#ifdef KORVEL_DATA_DIR
    folders.append(QStringLiteral(KORVEL_DATA_DIR));
#endif
    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (EsisteFile(candidate)) {
            return candidate;
        }
    }
    return {};
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
                         QStringLiteral("Korvel"), MessageBox::Icon::Critical);
        close();
        return;
    }
    QFile file(path);
    if (file.size() > kMaxFileSize) {
        showExplanation(tr("The instructions file %1 is too large to show.").arg(path));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        showExplanation(
            tr("The instructions file %1 cannot be read: %2.").arg(path, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        rtfIstruzioni->clear(); // an empty file is an empty document
        return;
    }
    const rtf::Document document =
        rtf::ReadRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!document.isRtf) {
        showExplanation(tr("The instructions file %1 is not an RTF document.").arg(path));
        return;
    }
    FillTextDocument(*rtfIstruzioni->document(), document);
}

} // namespace korvel
