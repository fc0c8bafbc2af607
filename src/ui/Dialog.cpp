#include "ui/Dialog.h"

#include "settings/CodePageText.h"
#include "ui/AnnouncedLabel.h"
#include "ui/ButtonKeys.h"
#include "ui/MessageBox.h"
#include "ui/WindowMetrics.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace korvel {

Dialog::Dialog(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      lblInfo_(new AnnouncedLabel(this)), OKButton_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(MessageBox::programTitle());
    // No icon of its own: an empty one keeps Qt from lending the program's.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
    setGeometry(Twips(2760, 3750, 4530, 1920));
    setFixedSize(size());
    // The main window keeps the keyboard; F6 comes here (a screen reader
    // speaks the text meanwhile).
    setAttribute(Qt::WA_ShowWithoutActivating);

    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setGeometry(Twips(120, 120, 4215, 1215));
    lblInfo_->setWordWrap(true);
    lblInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInfo_->setTextFormat(Qt::PlainText);
    lblInfo_->setFont(DialogFont());
    lblInfo_->setFocusPolicy(Qt::TabFocus); // reachable from the keyboard; draws no frame

    OKButton_->setObjectName(QStringLiteral("OKButton"));
    OKButton_->setGeometry(Twips(1680, 1440, 1215, 375));
    OKButton_->setAutoDefault(false);
    OKButton_->setFont(SansSerifFont());
    connect(OKButton_, &QPushButton::clicked, this, &QWidget::hide);
    LetEnterPress(OKButton_);
    setTabOrder(OKButton_, lblInfo_);
}

void Dialog::setText(const std::string& text) {
    text_ = text;
    // Lines end with CR LF; the label wants plain line feeds.
    QString shown = FromCodePage(text);
    shown.remove(QLatin1Char('\r'));
    lblInfo_->setText(shown);
}

void Dialog::takeFocus() {
    raise();
    activateWindow();
    // While the transfer runs the text is all there is; a screen reader reads it.
    QWidget* target = OKButton_->isHidden() ? static_cast<QWidget*>(lblInfo_) : OKButton_;
    target->setFocus(Qt::ShortcutFocusReason);
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool closingKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    if (closingKey && !OKButton_->isHidden()) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Dialog::setOkVisible(bool visible) {
    OKButton_->setVisible(visible);
    if (visible && isVisible()) {
        lblInfo_->announce(); // the transfer's end
    }
}

void Dialog::showDialog() {
    // Qt announces the text itself when the dialog appears; shown again
    // while still visible, nothing would.
    const bool wasVisible = isVisible();
    QWidget::show();
    raise();
    if (wasVisible) {
        lblInfo_->announce();
    }
}

} // namespace korvel
