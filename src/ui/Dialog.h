#pragma once

#include "transfer/ProgressView.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace korvel {

// The small window in which a transfer reports its progress and its end. It
// has no logic of its own beyond hiding itself on OK: the transfer writes every
// text and decides when the button shows. Non-modal, fixed in size and place,
// not in the task bar. OK and the close box hide it.
class Dialog : public QWidget, public ProgressView {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr);

    std::string text() const override { return text_; }
    void setText(const std::string& text) override;
    void setOkVisible(bool visible) override;
    void showDialog() override;

    QLabel* label() const { return lblInfo_; }
    QPushButton* okButton() const { return OKButton_; }

private:
    std::string text_;
    QLabel* lblInfo_;
    QPushButton* OKButton_;
};

} // namespace korvel
