#pragma once

#include <QGroupBox>
#include <optional>

namespace korvel {

// A frame of the main window: a border with its caption at the top left, the
// top line running through the middle of the caption. The controls inside are
// placed from the frame's top edge, the first row just under the caption; the
// style's own group box puts its line below the caption, through that row.
class CaptionFrame : public QGroupBox {
    Q_OBJECT

public:
    CaptionFrame(const QString& caption, QWidget* parent);

    // The caption's font: the frame's own unless made smaller to fit
    // (FitCaptions). Kept apart from the frame's font, which its controls inherit.
    QFont captionFont() const;
    void setCaptionFont(const QFont& font);

    // The widest caption text that leaves the top line showing on both sides.
    int captionRoom() const;

    // Where the caption is drawn, with its gaps on either side, from the frame's top left.
    QRect captionRect() const;

    // Where the top line runs, from the frame's top edge.
    int lineTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QFont> captionFont_;
};

} // namespace korvel
