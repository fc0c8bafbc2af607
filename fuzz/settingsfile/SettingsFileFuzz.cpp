// Arbitrary bytes as a settings file: reading every value and applying the file
// to the factory defaults must never crash, whatever the bytes. A file that
// applies without error must also save again.

#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "settingsfile/ApplySettingsFile.h"
#include "settingsfile/SettingsFileReader.h"
#include "settingsfile/SettingsFileWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    korvel::SettingsFileReader reader(bytes);
    while (std::holds_alternative<korvel::FileValue>(reader.next())) {
    }

    korvel::SettingsRecord settings;
    korvel::SetDefaults(settings);
    if (!korvel::ApplySettingsFile(bytes, settings)) {
        // edBcnEvery was just set to three digits, so the file must save.
        std::string saved;
        if (korvel::WriteSettingsFile(settings, saved)) {
            std::abort();
        }
    }
    return 0;
}
