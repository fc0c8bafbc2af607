#pragma once

#include "ui/AnnouncedLabel.h"

#include <QWidget>
#include <string>

class QKeyEvent;
class QLabel;
class QPushButton;

namespace korvel {

// The small window in which a transfer reports its progress and its end. It
// has no logic of its own beyond hiding itself on OK: the transfer writes every
// text and decides when the button shows. Non-modal, fixed in size and place,
// not in the task bar. OK and the close box hide it. The transfer reaches it
// through the main window's view of it, which notes whether it was shown.
class Dialog : public QWidget {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr);

    // The label's text (ASCII; lines end with CR LF).
    std::string text() const { return text_; }
    void setText(const std::string& text);
    void setOkVisible(bool visible);
    // Shows the dialog without making it modal; a visible dialog stays visible.
    void showDialog();

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
