#pragma once

#include "FactoryImage.h"
#include "image/BuildImage.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace korvel {

// Factory defaults with some fields changed, built into an image.
class Build : public ::testing::Test {
protected:
    void SetUp() override { SetDefaults(settings); }

    void set(Field field, const std::string& text) {
        ASSERT_TRUE(settings.setText(field, text)) << TraitsOf(field).name << " '" << text << "'";
    }
    void set(Field field, int value) { ASSERT_TRUE(settings.setValue(field, value)); }

    BuildResult build() { return BuildImage(settings, image); }

    std::string bytes(std::size_t from, std::size_t count) const {
        return std::string(reinterpret_cast<const char*>(image.data() + from), count);
    }

    SettingsRecord settings;
    ConfigImage image{};
};

} // namespace korvel
