#include "ui/Setup.h"

#include "Version.h"
#include "image/BuildImage.h"
#include "rtf/InstructionsFile.h"
#include "settings/CodePageText.h"
#include "settings/SetDefaults.h"
#include "settingsfile/SettingsFileIo.h"
#include "transfer/EventDrivenSender.h"
#include "ui/AdvisorMarks.h"
#include "ui/ApplicationSetup.h"
#include "ui/ButtonKeys.h"
#include "ui/CommPortHelp.h"
#include "ui/CommonD.h"
#include "ui/Dialog.h"
#include "ui/FieldPickers.h"
#include "ui/MaskedEdit.h"
#include "ui/MessageBox.h"
#include "ui/OnTheAirView.h"
#include "ui/SetupAccessibility.h"
#include "ui/TextContrast.h"
#include "ui/WindowMetrics.h"
#include "ui/frmIstruzioni.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

namespace korvel {

// What a transfer sees of the result dialog. It notes whether the transfer
// showed the dialog, so that a transfer that fails before that can take away
// the result of an earlier one.
class Setup::TransferView final : public ProgressView {
public:
    explicit TransferView(Dialog& dialog) : dialog_(&dialog) {}

    // `takeFocus`: the dialog takes the keyboard when it shows, because SEND,
    // which had it, is disabled while the transfer runs.
    void begin(bool takeFocus) {
        shown_ = false;
        takeFocus_ = takeFocus;
    }
    bool shown() const { return shown_; }

    std::string text() const override { return dialog_->text(); }
    void setText(const std::string& text) override { dialog_->setText(text); }
    void setOkVisible(bool visible) override { dialog_->setOkVisible(visible); }
    void showDialog() override {
        shown_ = true;
        dialog_->showDialog();
        if (takeFocus_) {
            // Its text, which a screen reader speaks as it changes: what is
            // happening, rather than whichever button the focus fell to.
            dialog_->takeFocus();
        }
    }

private:
    Dialog* dialog_;
    bool shown_ = false;
    bool takeFocus_ = false;
};

Setup::Setup(std::unique_ptr<EventDrivenSender> sender, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      MSComm1_(sender ? std::move(sender) : std::make_unique<EventDrivenSender>()) {
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral("%1 by %2")
                       .arg(QString::fromLatin1(kProductName), QString::fromLatin1(kAuthor)));
    setWindowIcon(ProgramIcon());
    setFont(SansSerifFont());
    setFixedSize(TwipsToPixels(4335), TwipsToPixels(7560));

    controls_ = BuildSetupControls(this);
    const SetupControls& c = controls_;
    connect(c.cmdDefault, &QPushButton::clicked, this, &Setup::cmdDefault_Click);
    connect(c.cmdSave, &QPushButton::clicked, this, &Setup::cmdSave_Click);
    connect(c.cmdLoad, &QPushButton::clicked, this, &Setup::cmdLoad_Click);
    connect(c.cmdSend, &QPushButton::clicked, this, &Setup::cmdSend_Click);
    connect(c.cmdHelp, &QPushButton::clicked, this, &Setup::cmdHelp_Click);
    connect(MSComm1_.get(), &EventDrivenSender::finished, this, &Setup::transferFinished);
    new CommPortHelp(c.edit(Field::edComm), DeviceTree::System());
    DescribeSetupControls(c);
    for (QPushButton* button : {c.cmdDefault, c.cmdSave, c.cmdLoad, c.cmdSend, c.cmdHelp}) {
        LetEnterPress(button);
    }
    addHelpShortcut();
    addDialogShortcut();
    addOnTheAirShortcut();

    Form_Load();
    marks_ = new AdvisorMarks(c, settings_, this);
    auto* pickers = new FieldPickers(c, settings_, this);
    connect(pickers, &FieldPickers::onTheAirRequested, this, &Setup::showOnTheAir);
    c.edit(Field::edNumFlagsAuto)->setFocus(Qt::OtherFocusReason);
}

Setup::~Setup() {
    // Closing the window moves the focus out of a field, whose text change the
    // marks answer by reading the settings; the settings go before the child
    // controls do, so the marks go first.
    delete marks_;
}

void Setup::Form_Load() {
    SetDefaults(settings_);
    dialog_ = std::make_unique<Dialog>(this);
    // Loaded now, hidden, with its native window and its style applied, so
    // that the first SEND only shows it.
    dialog_->ensurePolished();
    dialog_->winId();
    transferView_ = std::make_unique<TransferView>(*dialog_);
}

// F1, with or without Shift, Ctrl or Alt, opens the instructions whichever
// control has the focus. One window-wide action fires once per press; the
// Mic-E list's drop-down is a window of its own, so it carries the action too.
void Setup::addHelpShortcut() {
    auto* help = new QAction(this);
    QList<QKeySequence> keys;
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
          Qt::ShiftModifier | Qt::ControlModifier, Qt::ShiftModifier | Qt::AltModifier,
          Qt::ControlModifier | Qt::AltModifier,
          Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier}) {
        keys.append(QKeySequence(QKeyCombination(modifiers, Qt::Key_F1)));
    }
    help->setShortcuts(keys);
    help->setShortcutContext(Qt::WindowShortcut);
    connect(help, &QAction::triggered, this, [this] {
        controls_.list(Field::cbMicEMsg)->hidePopup();
        cmdHelp_Click();
    });
    addAction(help);
    controls_.list(Field::cbMicEMsg)->view()->window()->addAction(help);
}

// F6 or Ctrl+Tab goes to the result dialog while it shows, so the keyboard can
// reach it without taking the focus from the window when it appears, and the
// same key there comes back. Qt counts the dialog (a tool window of this one)
// as part of this window for its shortcuts, so one action serves both ways.
void Setup::addDialogShortcut() {
    auto* toDialog = new QAction(this);
    toDialog->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_Tab)});
    toDialog->setShortcutContext(Qt::WindowShortcut);
    connect(toDialog, &QAction::triggered, this, [this] {
        if (!dialog_ || !dialog_->isVisible()) {
            return;
        }
        if (QApplication::activeWindow() == dialog_.get()) {
            activateWindow();
        } else {
            dialog_->takeFocus();
        }
    });
    addAction(toDialog);
}

// F7 opens the window "On the air" whichever control has the focus, like F1
// the instructions; the Mic-E list's drop-down carries the action too.
void Setup::addOnTheAirShortcut() {
    auto* air = new QAction(this);
    air->setShortcut(QKeySequence(kOnTheAirKey));
    air->setShortcutContext(Qt::WindowShortcut);
    connect(air, &QAction::triggered, this, [this] {
        controls_.list(Field::cbMicEMsg)->hidePopup();
        showOnTheAir();
    });
    addAction(air);
    controls_.list(Field::cbMicEMsg)->view()->window()->addAction(air);
}

QWidget* Setup::control(Field field) const {
    return controls_.control(field);
}

bool Setup::isPortOpen() const {
    return MSComm1_->isPortOpen();
}

// ---- Commands ----

void Setup::cmdDefault_Click() {
    SetDefaults(settings_);
}

void Setup::cmdSend_Click() {
    // Disabling SEND moves the focus on; it comes back when the command ends.
    const bool sendHadFocus = controls_.cmdSend->hasFocus();
    controls_.cmdSend->setEnabled(false);
    focusMovedTo_ = sendHadFocus ? focusWidget() : nullptr;
    transferView_->begin(sendHadFocus);
    if (!ConfirmCallsignBeforeSend(this, settings_, [this] { hideEarlierResult(); })) {
        endSend({{}, {}, MessageBox::Icon::None, Field::edMyCall});
        return;
    }
    const BuildResult result = BuildImage(settings_, ConfigImage_);
    if (result.gpslessMode) {
        colourGpslessNotes(*result.gpslessMode);
    }
    // The written-back values show at the next return to the event loop: in the
    // message box, or at the transfer's first pause, before any byte is sent.
    if (!result.success()) {
        endSend({QString::fromLatin1(kBuildRefused), QStringLiteral("Invio non eseguito - Korvel"),
                 MessageBox::Icon::Information,
                 result.error ? std::optional(result.error->field) : std::nullopt});
        return;
    }
    MSComm1_->start(ConfigImage_, text(Field::edComm), *transferView_);
}

void Setup::transferFinished(const QString& error) {
    endSend({error, QGuiApplication::applicationDisplayName(), MessageBox::Icon::None, {}});
}

// Every SEND ends here, refused or sent, so one rule holds for all of them:
// unless this SEND showed the dialog itself, whatever the dialog still shows is
// the result of an earlier one, and it goes before any message about this one.
void Setup::endSend(const SendEnd& end) {
    hideEarlierResult();
    if (!end.message.isEmpty()) {
        MessageBox::show(this, end.message, end.title, end.icon);
    }
    controls_.cmdSend->setEnabled(true);
    if (end.refused) {
        showRefusedField(*end.refused);
    } else if (focusMovedTo_ && focusWidget() == focusMovedTo_ && keyboardStayedWithSend()) {
        // Still where disabling SEND put it: the user has not moved it since.
        activateWindow();
        controls_.cmdSend->setFocus(Qt::OtherFocusReason);
    }
}

// Whether the keyboard is still where the SEND that ends took it: in this
// window, or on the result dialog's text while the transfer ran.
bool Setup::keyboardStayedWithSend() const {
    QWidget* active = QApplication::activeWindow();
    return active == nullptr || active == this ||
           (active == dialog_.get() && dialog_->focusWidget() == dialog_->label());
}

// Unless this SEND showed the dialog itself, what it shows is an earlier SEND's
// result, which must not stand beside any box about this one.
void Setup::hideEarlierResult() {
    if (!transferView_->shown()) {
        dialog_->hide();
    }
}

// The box names no field: the focus on the refused one, its text selected,
// tells the user which.
void Setup::showRefusedField(Field field) {
    QWidget* refused = controls_.control(field);
    refused->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(refused)) {
        edit->selectAll();
    } else if (auto* list = qobject_cast<QComboBox*>(refused); list && list->lineEdit()) {
        list->lineEdit()->selectAll();
    }
}

// A file dialog and its completion list can leave no window of the program
// active when they close; the main window takes the keyboard back, with the
// focus where it was before the command.
class Setup::FocusKeeper {
public:
    explicit FocusKeeper(Setup& window) : window_(&window), focused_(window.focusWidget()) {}
    ~FocusKeeper() {
        window_->activateWindow();
        if (focused_ && focused_->isEnabled()) {
            focused_->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    Setup* window_;
    QPointer<QWidget> focused_;
};

void Setup::cmdSave_Click() {
    const FocusKeeper keeper(*this);
    const auto path = CommonD::show(this, CommonD::Mode::Save, QStringLiteral("Salva File"));
    if (!path) {
        return;
    }
    if (const auto error = SaveSettingsFile(settings_, *path)) {
        MessageBox::show(this, *error, MessageBox::programTitle(), MessageBox::Icon::None);
    }
}

void Setup::cmdLoad_Click() {
    const FocusKeeper keeper(*this);
    const auto path = CommonD::show(this, CommonD::Mode::Open, QStringLiteral("Apertura File"));
    if (!path) {
        return;
    }
    if (const auto error = LoadSettingsFile(settings_, *path)) {
        MessageBox::show(this, *error, MessageBox::programTitle(), MessageBox::Icon::None);
    }
}

void Setup::cmdHelp_Click() {
    // A closed instructions window is made anew, centred again.
    if (!istruzioni_ || !istruzioni_->isVisible()) {
        istruzioni_ = std::make_unique<frmIstruzioni>();
    }
    istruzioni_->Apri(FromCodePage(kInstructionsFile), QString::fromLatin1(kInstructionsTitle));
}

void Setup::showOnTheAir() {
    if (!onTheAir_) {
        onTheAir_ = std::make_unique<OnTheAirView>(controls_, settings_);
    }
    onTheAir_->refresh();
    onTheAir_->show();
    onTheAir_->raise();
    onTheAir_->activateWindow();
}

// ---- Lifecycle ----

void Setup::colourGpslessNotes(bool gpsless) {
    for (QLabel* note : {controls_.Label33, controls_.Label34}) {
        // Green readable on the background the note is drawn on, light or dark.
        QPalette notePalette = note->palette();
        const QColor colour = gpsless ? ReadableGreen(notePalette.color(note->backgroundRole()))
                                      : palette().color(QPalette::ButtonText);
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
    // The other two windows close with this one; they go when it goes.
    dialog_->close();
    if (istruzioni_) {
        istruzioni_->close();
    }
    if (onTheAir_) {
        onTheAir_->close();
    }
    event->accept();
}

} // namespace korvel
