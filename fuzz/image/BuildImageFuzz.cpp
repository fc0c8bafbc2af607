// Fills every field with arbitrary contents its field rule accepts, asks the
// advisor, builds the image, and checks that neither crashes, that the advice
// changes no text and names each field by its caption, that a failure always
// says why, and that a successful build is a fixed point: building again gives
// the same image and changes no text.

#include "advisor/Advisor.h"
#include "image/AprsPath.h"
#include "image/BuildImage.h"
#include "settings/FieldRule.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace korvel;

// Hands out the input's bytes; once they run out the fields keep their defaults.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return next_ >= size_; }
    std::uint8_t take() { return empty() ? 0 : data_[next_++]; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

// A masked text: each position keeps a byte that fits it, or gets a digit or
// the prompt chosen by the byte.
std::string MaskedText(const FieldTraits& traits, Input& input) {
    const FieldRule rule(traits);
    std::string text;
    for (std::size_t i = 0; i < traits.mask.size(); ++i) {
        const std::uint8_t byte = input.take();
        if (byte == FieldRule::kPrompt || rule.positionTakes(i, byte)) {
            text += static_cast<char>(byte);
        } else {
            const int choice = byte % 11;
            text += choice == 10 ? FieldRule::kPrompt : static_cast<char>('0' + choice);
        }
    }
    return text;
}

// An unmasked text: a length within the limit, then that many bytes.
std::string FreeText(const FieldTraits& traits, Input& input) {
    const std::size_t length = input.take() % (traits.maxLength + 1);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        // Every code but 0, which no free-text field takes.
        text += static_cast<char>(std::max<std::uint8_t>(input.take(), 1));
    }
    return text;
}

void Fill(SettingsRecord& settings, Input& input) {
    for (const FieldTraits& traits : AllFields()) {
        if (input.empty()) {
            return;
        }
        Result<void, FieldError> set;
        switch (traits.kind) {
        case FieldKind::Text:
            set = settings.setText(traits.field, traits.isMasked() ? MaskedText(traits, input)
                                                                   : FreeText(traits, input));
            break;
        case FieldKind::Check:
            set = settings.setValue(traits.field, input.take() % 3);
            break;
        case FieldKind::ListIndex:
            set = settings.setValue(traits.field, input.take() % 9 - 1);
            break;
        }
        if (!set) {
            std::abort(); // the input must stay within what the fields accept
        }
    }
}

std::array<std::string, kFieldCount> Texts(const SettingsRecord& settings) {
    std::array<std::string, kFieldCount> texts;
    for (const FieldTraits& traits : AllFields()) {
        if (traits.isText()) {
            texts[FieldIndex(traits.field)] = settings.text(traits.field);
        }
    }
    return texts;
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SettingsRecord settings;
    SetDefaults(settings);
    Input input(data, size);
    Fill(settings, input);

    const auto filled = Texts(settings);
    for (const Finding& finding : Advise(settings)) {
        Check(finding.caption == CaptionOf(finding.field) && !finding.message.empty(),
              "a finding names its field and says something");
    }
    Check(Texts(settings) == filled, "the advice changes no text");

    ConfigImage image{};
    const BuildResult first = BuildImage(settings, image);
    static_assert(sizeof(image) == kImageSize);
    Check(first.success() == !first.error, "success exactly when no error");
    if (!first.success()) {
        Check(!first.error->reason.empty(), "a failure says why");
        return 0;
    }
    Check(first.gpslessMode.has_value(), "a success reports GPSless mode");
    Check(NumericValue(settings.text(Field::edBcnEvery)) <= 127, "status rate at most 127");
    Check(!settings.text(Field::edMyCall).empty() && !settings.text(Field::edReceiver).empty(),
          "both callsigns hold a text");

    // Every text written back fits its field: the window would take it as it is.
    SettingsRecord fresh;
    for (const FieldTraits& traits : AllFields()) {
        if (traits.isText()) {
            Check(fresh.setText(traits.field, settings.text(traits.field)).has_value(),
                  "a written-back text fits its field");
        }
    }

    const ConfigImage firstImage = image;
    const auto firstTexts = Texts(settings);
    const BuildResult second = BuildImage(settings, image);
    Check(second.success(), "building again succeeds");
    Check(second.gpslessMode == first.gpslessMode, "same GPSless mode");
    Check(Texts(settings) == firstTexts, "building again changes no text");
    Check(image == firstImage, "building again gives the same image");
    return 0;
}
