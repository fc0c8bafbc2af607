// Arbitrary bytes as a settings file: reading every value and applying the file
// to the factory defaults must never crash, whatever the bytes. A file that
// applies without error must also save again.
//
// The same bytes also fill the fields (a length byte, then that many bytes of
// text, field after field, then the boxes and the Mic-E list): whatever the
// texts hold, quotes, commas and line ends included, saving them and loading
// the file back must give every text, box and entry back unchanged. And the
// file cut short after any of its bytes (the rest of the input chooses where)
// must either fail to load or give the same settings, only the last text
// perhaps cut short: never values shifted into other settings.

#include "settings/FieldTable.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "settingsfile/ApplySettingsFile.h"
#include "settingsfile/SettingsFileReader.h"
#include "settingsfile/SettingsFileWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using korvel::Field;

// Takes bytes off the front of the fuzzer's input.
class Input {
public:
    explicit Input(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t byte() {
        if (bytes_.empty()) {
            return 0;
        }
        const auto b = static_cast<std::uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return b;
    }

    std::string_view text() {
        const std::size_t length = std::min<std::size_t>(byte() % 40, bytes_.size());
        const std::string_view text = bytes_.substr(0, length);
        bytes_.remove_prefix(length);
        return text;
    }

private:
    std::string_view bytes_;
};

void CheckApplying(std::string_view bytes) {
    korvel::SettingsFileReader reader(bytes);
    while (reader.next().has_value()) {
    }

    korvel::SettingsRecord settings;
    korvel::SetDefaults(settings);
    if (korvel::ApplySettingsFile(bytes, settings)) {
        // edBcnEvery was just set to three digits, so the file must save.
        std::string saved;
        if (!korvel::WriteSettingsFile(settings, saved)) {
            std::abort();
        }
    }
}

// Whether the file keeps the field as it is: edGpsCheckTime is not in it, and
// the status interval is kept as its number.
bool FileKeepsAsIs(const korvel::FieldTraits& traits) {
    return traits.field != Field::edGpsCheckTime && traits.field != Field::edBcnEvery;
}

bool SameAsSaved(const korvel::SettingsRecord& loaded, const korvel::SettingsRecord& saved) {
    for (const korvel::FieldTraits& traits : korvel::AllFields()) {
        const bool same = traits.isText() ? loaded.text(traits.field) == saved.text(traits.field)
                                          : loaded.value(traits.field) == saved.value(traits.field);
        if (FileKeepsAsIs(traits) && !same) {
            return false;
        }
    }
    return true;
}

// Loads the file cut short at a few places that the rest of the input chooses
// (every cut of every file would make a run far too slow; over a run the
// fuzzer reaches them all).
void CheckCutPoints(std::string_view file, const korvel::SettingsRecord& saved, Input& input) {
    constexpr int kCuts = 4;
    for (int i = 0; i < kCuts; ++i) {
        const std::size_t cut = (std::size_t{input.byte()} << 8 | input.byte()) % file.size();
        korvel::SettingsRecord loaded;
        if (!korvel::ApplySettingsFile(file.substr(0, cut), loaded)) {
            continue;
        }
        const std::string message = loaded.text(Field::edAprsMsg);
        if (!std::string_view(saved.text(Field::edAprsMsg)).starts_with(message) ||
            !loaded.setText(Field::edAprsMsg, saved.text(Field::edAprsMsg)) ||
            !SameAsSaved(loaded, saved)) {
            std::abort();
        }
    }
}

void CheckRoundTrip(std::string_view bytes) {
    Input input(bytes);
    korvel::SettingsRecord saved;
    korvel::SetDefaults(saved);
    for (const korvel::FieldTraits& traits : korvel::AllFields()) {
        if (traits.isText() && FileKeepsAsIs(traits)) {
            (void)saved.setText(traits.field, input.text()); // a refused text keeps the default
        }
    }
    (void)saved.setValue(Field::chkTable, input.byte() % 2);
    (void)saved.setValue(Field::chkAutoReply, input.byte() % 2);
    (void)saved.setValue(Field::chkRxPosition, input.byte() % 2);
    (void)saved.setValue(Field::cbMicEMsg, input.byte() % 9 - 1);

    std::string file;
    if (!korvel::WriteSettingsFile(saved, file)) {
        std::abort(); // the factory status interval is a number
    }
    korvel::SettingsRecord loaded;
    if (!korvel::ApplySettingsFile(file, loaded)) {
        std::abort();
    }
    if (!SameAsSaved(loaded, saved)) {
        std::abort();
    }
    CheckCutPoints(file, saved, input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckApplying(bytes);
    CheckRoundTrip(bytes);
    return 0;
}
