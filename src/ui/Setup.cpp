#include "ui/Setup.h"

#include "image/BuildImage.h"
#include "settings/FieldRule.h"
#include "settings/FieldTable.h"
#include "settings/SetDefaults.h"
#include "settingsfile/SettingsFileIo.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/TransferSession.h"
#include "ui/CodePageText.h"
#include "ui/CommPortHelp.h"
#include "ui/CommonD.h"
#include "ui/Dialog.h"
#include "ui/MaskedEdit.h"
#include "ui/MessageBox.h"
#include "ui/WindowMetrics.h"
#include "ui/frmIstruzioni.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace korvel {

// What the transfer sees of the result dialog. The dialog can be closed (and so
// destroyed) while a transfer runs; the transfer then goes on writing here and
// nothing dangles. Showing it again brings a fresh dialog.
class Setup::DialogView : public ProgressView {
public:
    explicit DialogView(Setup& window) : window_(window) {}

    std::string text() const override {
        return window_.dialog_ ? window_.dialog_->text() : lastText_;
    }
    void setText(const std::string& text) override {
        lastText_ = text;
        if (window_.dialog_) {
            window_.dialog_->setText(text);
        }
    }
    void setOkVisible(bool visible) override {
        okVisible_ = visible;
        if (window_.dialog_) {
            window_.dialog_->setOkVisible(visible);
        }
    }
    void show() override {
        if (!window_.dialog_) {
            window_.loadDialog();
            window_.dialog_->setText(lastText_);
            window_.dialog_->setOkVisible(okVisible_);
        }
        window_.dialog_->show();
    }

private:
    Setup& window_;
    std::string lastText_;
    bool okVisible_ = true;
};

namespace {

Qt::CheckState ToCheckState(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

QCheckBox* CheckBoxOf(const SetupControls& c, Field field) {
    switch (field) {
    case Field::chkTable:
        return c.chkTable;
    case Field::chkRxPosition:
        return c.chkRxPosition;
    case Field::chkAutoReply:
        return c.chkAutoReply;
    default:
        return nullptr;
    }
}

} // namespace

Setup::Setup(EventDrivenSender* sender, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      MSComm1_(sender ? sender : new EventDrivenSender(this)),
      dialogView_(std::make_unique<DialogView>(*this)) {
    MSComm1_->setParent(this);
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QString::fromLatin1(kTitle));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/korvel16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/korvel32.png"), QSize(32, 32));
    setWindowIcon(icon);
    setFont(SansSerifFont());
    setFixedSize(TwipsToPixels(4335), TwipsToPixels(7560));

    controls_ = BuildSetupControls(this);
    const SetupControls& c = controls_;
    connect(c.cmdDefault, &QPushButton::clicked, this, &Setup::cmdDefault_Click);
    connect(c.cmdSave, &QPushButton::clicked, this, &Setup::cmdSave_Click);
    connect(c.cmdLoad, &QPushButton::clicked, this, &Setup::cmdLoad_Click);
    connect(c.cmdSend, &QPushButton::clicked, this, &Setup::cmdSend_Click);
    connect(c.cmdHelp, &QPushButton::clicked, this, &Setup::cmdHelp_Click);
    connect(MSComm1_, &EventDrivenSender::finished, this, &Setup::transferFinished);
    new CommPortHelp(c.edit(Field::edComm), DeviceTree::System());

    // F1 anywhere in the window, whichever control has the focus.
    qApp->installEventFilter(this);

    Form_Load();
    c.edit(Field::edNumFlagsAuto)->setFocus(Qt::OtherFocusReason);
}

Setup::~Setup() {
    qApp->removeEventFilter(this);
    // The transfer writes to the dialog view; it goes before the view does.
    delete MSComm1_;
    delete dialog_.data();
    delete istruzioni_.data();
}

void Setup::Form_Load() {
    SetDefaults(*this);
    StartMarker_ = {0xFF, 0xFF};
    loadDialog();
}

Dialog* Setup::loadDialog() {
    if (!dialog_) {
        dialog_ = new Dialog(this);
    }
    return dialog_;
}

// ---- DeviceSettings on the controls ----

std::string Setup::text(Field field) const {
    const MaskedEdit* edit = controls_.edit(field);
    return edit ? edit->codePageText() : std::string();
}

std::optional<FieldError> Setup::setText(Field field, std::string_view text) {
    MaskedEdit* edit = controls_.edit(field);
    if (!edit) {
        return FieldError{field, "is not a text field"};
    }
    return edit->setCodePageText(std::string(text));
}

int Setup::value(Field field) const {
    if (field == Field::cbMicEMsg) {
        // Text typed into the list that is none of its entries selects nothing.
        return controls_.cbMicEMsg->findText(controls_.cbMicEMsg->currentText(),
                                             Qt::MatchExactly | Qt::MatchCaseSensitive);
    }
    const QCheckBox* box = CheckBoxOf(controls_, field);
    if (!box) {
        return 0;
    }
    // 0 clear, 1 checked, 2 greyed.
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

std::optional<FieldError> Setup::setValue(Field field, int value) {
    if (auto refused = ValueRefusal(TraitsOf(field), value)) {
        return refused;
    }
    if (field == Field::cbMicEMsg) {
        controls_.cbMicEMsg->setCurrentIndex(value);
        return std::nullopt;
    }
    CheckBoxOf(controls_, field)->setCheckState(ToCheckState(value));
    return std::nullopt;
}

QWidget* Setup::control(Field field) const {
    if (QWidget* edit = controls_.edit(field)) {
        return edit;
    }
    if (field == Field::cbMicEMsg) {
        return controls_.cbMicEMsg;
    }
    return CheckBoxOf(controls_, field);
}

Dialog* Setup::resultDialog() const {
    return dialog_.data();
}

frmIstruzioni* Setup::instructions() const {
    return istruzioni_.data();
}

bool Setup::isPortOpen() const {
    return MSComm1_->isPortOpen();
}

// ---- Commands ----

void Setup::cmdDefault_Click() {
    SetDefaults(*this);
}

void Setup::cmdSend_Click() {
    controls_.cmdSend->setEnabled(false);
    const BuildResult result = BuildImage(*this, ConfigImage_);
    if (result.gpslessMode) {
        colourGpslessNotes(*result.gpslessMode);
    }
    // Let the window show the written-back values before anything else happens.
    QCoreApplication::processEvents();
    if (!isVisible()) { // closed meanwhile: nothing more to do
        controls_.cmdSend->setEnabled(true);
        return;
    }
    if (!result.success) {
        QString message = QStringLiteral("Parametri incompleti o non corretti");
        if (result.error) {
            message += QLatin1Char('\n') + FromCodePage(result.error->message());
        }
        MessageBox::show(this, message, QStringLiteral("Invio non eseguito - Korvel"),
                         MessageBox::Icon::Information);
        if (result.error) {
            if (QWidget* failing = control(result.error->field)) {
                failing->setFocus(Qt::OtherFocusReason);
            }
        }
        controls_.cmdSend->setEnabled(true);
        return;
    }
    loadDialog();
    MSComm1_->start(ConfigImage_, text(Field::edComm), *dialogView_);
}

void Setup::transferFinished(const QString& error) {
    if (!error.isEmpty()) {
        MessageBox::show(this, error, QGuiApplication::applicationDisplayName(),
                         MessageBox::Icon::None);
    }
    controls_.cmdSend->setEnabled(true);
}

void Setup::cmdSave_Click() {
    const auto path = CommonD::show(this, CommonD::Mode::Save, QStringLiteral("Salva File"));
    if (!path) {
        return;
    }
    if (const auto error = SaveSettingsFile(*this, *path)) {
        MessageBox::show(this, *error, QStringLiteral("Korvel"), MessageBox::Icon::None);
    }
}

void Setup::cmdLoad_Click() {
    const auto path = CommonD::show(this, CommonD::Mode::Open, QStringLiteral("Apertura File"));
    if (!path) {
        return;
    }
    if (const auto error = LoadSettingsFile(*this, *path)) {
        MessageBox::show(this, *error, QStringLiteral("Korvel"), MessageBox::Icon::None);
    }
}

void Setup::cmdHelp_Click() {
    if (!istruzioni_) {
        istruzioni_ = new frmIstruzioni();
    }
    istruzioni_->Apri(QString::fromLatin1(kInstructionsFile),
                      QString::fromLatin1(kInstructionsTitle));
}

// ---- Lifecycle ----

void Setup::colourGpslessNotes(bool gpsless) {
    const QColor colour = gpsless ? QColor(0, 128, 0) : palette().color(QPalette::ButtonText);
    for (QLabel* note : {controls_.Label33, controls_.Label34}) {
        QPalette notePalette = note->palette();
        notePalette.setColor(QPalette::WindowText, colour);
        note->setPalette(notePalette);
    }
}

void Setup::closeEvent(QCloseEvent* event) {
    // Never while a transfer holds the port; refused without a word.
    if (MSComm1_->isPortOpen()) {
        event->ignore();
        return;
    }
    delete dialog_.data();
    delete istruzioni_.data();
    event->accept();
}

bool Setup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        // A key event travels up from the focused control; act on its first stop only.
        const bool firstStop = widget == QApplication::focusWidget() ||
                               (QApplication::focusWidget() == nullptr && widget == this);
        if (key->key() == Qt::Key_F1 && widget && widget->window() == this && firstStop) {
            cmdHelp_Click();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace korvel
