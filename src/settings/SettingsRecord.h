#pragma once

#include "settings/DeviceSettings.h"

#include <array>

namespace korvel {

// The settings held in memory, for the command line and the tests. It starts
// blank (masked fields all prompts, other texts empty, boxes clear, no Mic-E
// entry); call SetDefaults for the factory defaults.
class SettingsRecord final : public DeviceSettings {
public:
    SettingsRecord();

    std::string text(Field field) const override;
    Result<void, FieldError> setText(Field field, std::string_view text) override;
    int value(Field field) const override;
    Result<void, FieldError> setValue(Field field, int value) override;

private:
    std::array<std::string, kFieldCount> texts_;
    std::array<int, kFieldCount> values_{};
};

} // namespace korvel
