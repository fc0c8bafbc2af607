#pragma once

#include "image/ConfigImage.h"
#include "settings/DeviceSettings.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/Frames.h"
#include "ui/ControlSettings.h"
#include "ui/MessageBox.h"
#include "ui/SetupControls.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

namespace korvel {

class AdvisorMarks;
class Dialog;
class OnTheAirView;
class frmIstruzioni;

// The main window: every setting in its four frames and the Default, Save,
// Load, SEND and Help commands. Its controls are the settings' only home, so a
// value that is loaded, reset or normalised shows at once. It owns the result
// dialog, the instructions window and the transfer.
class Setup : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kAuthor = "QX7ZUL";
    static constexpr const char* kInstructionsTitle = "Korvel Config - Istruzioni";

    // `sender` (optional) runs the transfers; by default, on the real serial ports.
    explicit Setup(std::unique_ptr<EventDrivenSender> sender = nullptr, QWidget* parent = nullptr);
    ~Setup() override;

    // The settings, read and written through the controls.
    DeviceSettings& settings() { return settings_; }
    std::string text(Field field) const { return settings_.text(field); }
    Result<void, FieldError> setText(Field field, std::string_view text) {
        return settings_.setText(field, text);
    }
    int value(Field field) const { return settings_.value(field); }
    Result<void, FieldError> setValue(Field field, int value) {
        return settings_.setValue(field, value);
    }

    const SetupControls& controls() const { return controls_; }
    QWidget* control(Field field) const;
    Dialog* resultDialog() const { return dialog_.get(); }
    // The instructions window while it exists.
    frmIstruzioni* instructions() const { return istruzioni_.get(); }
    const std::array<std::uint8_t, 2>& startMarker() const { return kStartMarker; }
    const ConfigImage& configImage() const { return ConfigImage_; }
    bool isPortOpen() const;
    const AdvisorMarks& marks() const { return *marks_; }
    // The window "On the air" once it was opened.
    OnTheAirView* onTheAir() const { return onTheAir_.get(); }
    // The key that opens it, whichever control has the focus.
    static constexpr Qt::Key kOnTheAirKey = Qt::Key_F7;

public slots:
    void cmdDefault_Click();
    void cmdSend_Click();
    void cmdSave_Click();
    void cmdLoad_Click();
    void cmdHelp_Click();
    // Shows the window "On the air", made on first use, and brings it forward.
    void showOnTheAir();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class TransferView;
    class FocusKeeper;

    void Form_Load();
    void addHelpShortcut();
    void addDialogShortcut();
    void addOnTheAirShortcut();
    // How a SEND ended: the message to show, if any, and the refused field.
    struct SendEnd {
        QString message;
        QString title;
        MessageBox::Icon icon;
        std::optional<Field> refused;
    };

    void endSend(const SendEnd& end);
    void hideEarlierResult();
    bool keyboardStayedWithSend() const;
    void showRefusedField(Field field);
    void colourGpslessNotes(bool gpsless);
    void transferFinished(const QString& error);

    // Declared in the order of building; destroyed the other way round, so the
    // transfer goes first, before the view and the dialog it writes to.
    SetupControls controls_;
    ControlSettings settings_{controls_};
    ConfigImage ConfigImage_{};
    std::unique_ptr<frmIstruzioni> istruzioni_;
    std::unique_ptr<OnTheAirView> onTheAir_;
    std::unique_ptr<Dialog> dialog_;
    std::unique_ptr<TransferView> transferView_;
    std::unique_ptr<EventDrivenSender> MSComm1_;
    AdvisorMarks* marks_ = nullptr; // a child of the window
    // Where the focus went when SEND, focused, was disabled; null otherwise.
    QPointer<QWidget> focusMovedTo_;
};

} // namespace korvel
