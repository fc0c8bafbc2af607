#include "ui/Dialog.h"

#include "ui/CodePageText.h"
#include "ui/WindowMetrics.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace korvel {

Dialog::Dialog(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      lblInfo_(new QLabel(this)), OKButton_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Korvel"));
    // No icon of its own: an empty one keeps Qt from lending the program's.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
    setGeometry(Twips(2760, 3750, 4530, 1920));
    setFixedSize(size());

    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setGeometry(Twips(120, 120, 4215, 1215));
    lblInfo_->setWordWrap(true);
    lblInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInfo_->setTextFormat(Qt::PlainText);
    lblInfo_->setFont(DialogFont());

    OKButton_->setObjectName(QStringLiteral("OKButton"));
    OKButton_->setGeometry(Twips(1680, 1440, 1215, 375));
    OKButton_->setAutoDefault(false);
    OKButton_->setFont(SansSerifFont());
    connect(OKButton_, &QPushButton::clicked, this, &QWidget::hide);
    setTabOrder(OKButton_, lblInfo_);
}

void Dialog::setText(const std::string& text) {
    text_ = text;
    // Lines end with CR LF; the label wants plain line feeds.
    QString shown = FromCodePage(text);
    shown.remove(QLatin1Char('\r'));
    lblInfo_->setText(shown);
}

void Dialog::setOkVisible(bool visible) {
    OKButton_->setVisible(visible);
}

void Dialog::showDialog() {
    QWidget::show();
    raise();
}

} // namespace korvel
