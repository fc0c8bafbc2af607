#pragma once

#include "settings/DeviceSettings.h"

namespace korvel {

struct SetupControls;

// The settings as the main window's controls hold them: text fields through
// their text, check boxes through their state, the Mic-E list through its
// selected entry. There is no second copy.
class ControlSettings final : public DeviceSettings {
public:
    // Keeps `controls`, which must outlive it: a temporary is refused.
    explicit ControlSettings(const SetupControls& controls) : controls_(&controls) {}
    explicit ControlSettings(const SetupControls&&) = delete;

    std::string text(Field field) const override;
    Result<void, FieldError> setText(Field field, std::string_view text) override;
    int value(Field field) const override;
    Result<void, FieldError> setValue(Field field, int value) override;

private:
    const SetupControls* controls_;
};

} // namespace korvel
