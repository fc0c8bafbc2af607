#include "ui/CaptionFrame.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace korvel {
namespace {

// The caption's distance from the frame's left edge, the room kept clear of
// the line on either side of it, and the least of the line that shows right of
// the caption (the corner included), so that the line is seen to run on.
constexpr int kCaptionLeft = 6;
constexpr int kCaptionGap = 2;
constexpr int kLineRightOfCaption = 8;

} // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
    // Left unnamed, a group box inside another takes the outer one's title
    // as its name (Qt reads a group box as the label of what it holds), and
    // the three timing frames would all be "Timing Settings" to a screen
    // reader. The caption's spaces are those one would say.
    setAccessibleName(caption.simplified());
}

QFont CaptionFrame::captionFont() const {
    return captionFont_.value_or(font());
}

void CaptionFrame::setCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

int CaptionFrame::captionRoom() const {
    return width() - kCaptionLeft - 2 * kCaptionGap - kLineRightOfCaption;
}

QRect CaptionFrame::captionRect() const {
    const QFontMetrics metrics(captionFont());
    return QRect(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionGap,
                 metrics.height());
}

int CaptionFrame::lineTop() const {
    return QFontMetrics(captionFont()).height() / 2;
}

// Styles put their group box line below the caption (Fusion leaves the
// caption's height and a margin above it), so the line is drawn here: an etched
// line, dark with a light one beside it, the look of a classic frame.
void CaptionFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawShadeRect(&painter, rect().adjusted(0, lineTop(), 0, 0), palette(), true, 1, 0);

    const QRect caption = captionRect();
    painter.fillRect(caption, palette().brush(backgroundRole()));
    painter.setFont(captionFont());
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                          foregroundRole());
}

} // namespace korvel
