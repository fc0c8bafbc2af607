#pragma once

#include "transfer/ProgressView.h"
#include "ui/AnnouncedLabel.h"

#include <QWidget>

class QKeyEvent;
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

    // Gives the dialog the keyboard (the main window's F6 or Ctrl+Tab, which
    // give it back again).
    void takeFocus();

    QLabel* label() const { return lblInfo_; }
    QPushButton* okButton() const { return OKButton_; }

protected:
    // Enter and Escape close the dialog once it shows the outcome (OK shown);
    // while a transfer runs, nothing closes it from the keyboard.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::string text_;
    AnnouncedLabel* lblInfo_; // a screen reader speaks the progress and the outcome
    QPushButton* OKButton_;
};

} // namespace korvel
