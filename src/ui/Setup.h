#pragma once

#include "image/ConfigImage.h"
#include "settings/DeviceSettings.h"
#include "ui/SetupControls.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

namespace korvel {

class Dialog;
class EventDrivenSender;
class frmIstruzioni;

// The main window: every setting in its four frames and the Default, Save,
// Load, SEND and Help commands. Its controls are the settings' only home: it
// implements DeviceSettings on them, so a value that is loaded, reset or
// normalised shows at once. It owns the result dialog, the instructions window
// and the transfer.
class Setup : public QWidget, public DeviceSettings {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Korvel Config v2.5 by QX7ZUL";
    static constexpr const char* kInstructionsFile = "Korvel_Config.rtf";
    static constexpr const char* kInstructionsTitle = "Korvel Config - Istruzioni";

    // `sender` (optional) runs the transfers; the window takes ownership.
    explicit Setup(EventDrivenSender* sender = nullptr, QWidget* parent = nullptr);
    ~Setup() override;

    // DeviceSettings, on the window's controls.
    std::string text(Field field) const override;
    std::optional<FieldError> setText(Field field, std::string_view text) override;
    int value(Field field) const override;
    std::optional<FieldError> setValue(Field field, int value) override;

    const SetupControls& controls() const { return controls_; }
    QWidget* control(Field field) const;
    // The result dialog and the instructions window, while they exist.
    Dialog* resultDialog() const;
    frmIstruzioni* instructions() const;
    const std::array<std::uint8_t, 2>& startMarker() const { return StartMarker_; }
    const ConfigImage& configImage() const { return ConfigImage_; }
    bool isPortOpen() const;

public slots:
    void cmdDefault_Click();
    void cmdSend_Click();
    void cmdSave_Click();
    void cmdLoad_Click();
    void cmdHelp_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class DialogView;

    void Form_Load();
    void colourGpslessNotes(bool gpsless);
    void transferFinished(const QString& error);
    Dialog* loadDialog();

    SetupControls controls_;
    ConfigImage ConfigImage_{};
    std::array<std::uint8_t, 2> StartMarker_{};
    EventDrivenSender* MSComm1_;
    QPointer<Dialog> dialog_;
    QPointer<frmIstruzioni> istruzioni_;
    std::unique_ptr<DialogView> dialogView_;
};

} // namespace korvel
