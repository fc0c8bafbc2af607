#include "ui/CaptionFrame.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace korvel {
namespace {

// The caption's distance from the frame's left edge, and the room kept clear
// of the line on either side of it.
constexpr int kCaptionLeft = 6;
constexpr int kCaptionGap = 2;

} // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int CaptionFrame::lineTop() const {
    return fontMetrics().height() / 2;
}

// Styles put their group box line below the caption (Fusion leaves the
// caption's height and a margin above it), so the line is drawn here: an etched
// line, dark with a light one beside it, the look of a classic frame.
void CaptionFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawShadeRect(&painter, rect().adjusted(0, lineTop(), 0, 0), palette(), true, 1, 0);

    const QFontMetrics metrics = fontMetrics();
    const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionGap,
                        metrics.height());
    painter.fillRect(caption, palette().brush(backgroundRole()));
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                          foregroundRole());
}

} // namespace korvel
