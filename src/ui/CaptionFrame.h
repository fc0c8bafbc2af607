#pragma once

#include <QGroupBox>

namespace korvel {

// A frame of the main window: a border with its caption at the top left, the
// top line running through the middle of the caption. The controls inside are
// placed from the frame's top edge, the first row just under the caption; the
// style's own group box puts its line below the caption, through that row.
class CaptionFrame : public QGroupBox {
    Q_OBJECT

public:
    CaptionFrame(const QString& caption, QWidget* parent);

    // Where the top line runs, from the frame's top edge.
    int lineTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvel
