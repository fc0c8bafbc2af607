#include "image/BuildImage.h"

#include "image/AprsPath.h"
#include "image/ImageNumbers.h"
#include "image/PutCallsign.h"
#include "image/PutText.h"
#include "settings/FieldRule.h"
#include "settings/FieldTable.h"

#include <algorithm>
#include <array>

namespace korvel {
namespace {

constexpr std::uint8_t kPrimaryTable = '/';
constexpr std::uint8_t kAlternateTable = '\\';
constexpr std::uint8_t kGpslessInterval = 252; // replaces the GPS interval in GPSless mode

using Step = Result<void, FieldError>;

bool FitsByte(long value) {
    return value >= 0 && value <= 255;
}

class Builder {
public:
    Builder(DeviceSettings& settings, ConfigImage& image, BuildResult& result)
        : settings_(settings), image_(image), result_(result) {}

    // Writes the field's value at its place, as the place's codec says.
    Step place(Field field) {
        const ImagePlace& place = TraitsOf(field).image;
        if (packed_ && packed_->offset != place.offset) {
            finish();
        }
        switch (place.codec) {
        case ImageCodec::TxDelay:
        case ImageCodec::Interval:
        case ImageCodec::Count:
            return number(field, place.offset, *NumberCodecOf(place.codec));
        case ImageCodec::GpsTimeout:
            return gpsTimeout(field, place.offset);
        case ImageCodec::CappedCount:
            return cappedCount(field, place);
        case ImageCodec::State:
            return state(field, place);
        case ImageCodec::SymbolCode:
            return symbol(field, place.offset);
        case ImageCodec::SymbolTable:
            return symbolTable(field, place.offset);
        case ImageCodec::Address:
            return callsign(field, place.offset, false);
        case ImageCodec::SourceAddress:
            return callsign(field, place.offset, pathIsEmpty());
        case ImageCodec::DigipeaterPath:
            return path(field);
        case ImageCodec::ZeroEndedText:
            return text(field, place.offset);
        case ImageCodec::Unplaced:
        case ImageCodec::NotInImage:
            break;
        }
        return {};
    }

    // Writes the byte that packed fields were adding their bits to.
    void finish() {
        if (packed_) {
            image_[packed_->offset] = static_cast<std::uint8_t>(packed_->byte);
            packed_.reset();
        }
    }

    Step notBlank(Field field) {
        if (settings_.text(field).empty()) {
            return Failure{FieldError{field, "empty"}};
        }
        return {};
    }

private:
    Step number(Field field, std::size_t offset, const NumberCodec& codec) {
        long value = NumericValue(settings_.text(field));
        if (value < codec.minimum) {
            value = codec.minimum;
            if (auto step = writeBack(field, value); !step) {
                return step;
            }
        }
        const long byte = codec.toByte(value);
        if (auto step = putByte(field, offset, byte); !step) {
            return step;
        }
        return writeBack(field, codec.fromByte(byte));
    }

    // A timeout of 0 selects GPSless mode, where the tracker takes 252 for the
    // GPS interval, whatever that field holds.
    Step gpsTimeout(Field field, std::size_t offset) {
        if (auto step = number(field, offset, *NumberCodecOf(ImageCodec::Count)); !step) {
            return step;
        }
        const bool gpsless = NumericValue(settings_.text(field)) == 0;
        result_.gpslessMode = gpsless;
        if (gpsless) {
            image_[TraitsOf(Field::edGpsCheckTime).image.offset] = kGpslessInterval;
        }
        return {};
    }

    Step cappedCount(Field field, const ImagePlace& place) {
        long value = NumericValue(settings_.text(field));
        if (value > place.highestInBits()) {
            value = place.highestInBits();
            if (auto step = writeBack(field, value); !step) {
                return step;
            }
        }
        if (auto step = putBits(field, place, value); !step) {
            return step;
        }
        return writeBack(field, value);
    }

    // A check box's state or the list's index, added into the bits of a byte
    // that other fields share.
    Step state(Field field, const ImagePlace& place) {
        const int value = settings_.value(field);
        if (value < 0) {
            return Failure{FieldError{field, "no entry selected"}};
        }
        return putBits(field, place, value);
    }

    Step symbol(Field field, std::size_t offset) {
        const std::string text = settings_.text(field);
        if (text.empty()) {
            return Failure{FieldError{field, "holds no character"}};
        }
        return putByte(field, offset, static_cast<std::uint8_t>(text.front()));
    }

    Step symbolTable(Field field, std::size_t offset) {
        const bool alternate = settings_.value(field) != 0;
        return putByte(field, offset, alternate ? kAlternateTable : kPrimaryTable);
    }

    Step callsign(Field field, std::size_t offset, bool last) {
        std::size_t position = offset;
        return textWriteBack(field, PutCallsign(image_, position, settings_.text(field), last));
    }

    Step path(Field field) {
        const std::string path = settings_.text(field);
        if (path.empty()) {
            return {};
        }
        return textWriteBack(field, PutAprsPath(image_, path));
    }

    Step text(Field field, std::size_t offset) {
        std::size_t position = offset;
        if (auto put = PutText(image_, position, settings_.text(field)); !put) {
            return Failure{FieldError{field, std::move(put).error()}};
        }
        return {};
    }

    bool pathIsEmpty() const { return AprsPathIsEmpty(settings_.text(Field::edAprsPath)); }

    Step putByte(Field field, std::size_t offset, long value) {
        if (!FitsByte(value)) {
            return Failure{FieldError{field, std::to_string(value) + " does not fit a byte"}};
        }
        if (auto put = PutByte(image_, offset, static_cast<std::uint8_t>(value)); !put) {
            return Failure{FieldError{field, std::move(put).error()}};
        }
        return {};
    }

    // Adds `value` into the place's bits of its byte; fails when it runs past
    // the byte or into the bits of another field. The byte is written once all
    // of its fields are in, so that a failure leaves it as it was.
    Step putBits(Field field, const ImagePlace& place, long value) {
        const long before = packed_ ? packed_->byte : 0;
        const long byte = before + (value << place.firstBit);
        if (!FitsByte(byte)) {
            return Failure{FieldError{field, std::to_string(byte) + " does not fit a byte"}};
        }
        if (value > place.highestInBits()) {
            return Failure{FieldError{field, std::to_string(value) + " does not fit its " +
                                                 std::to_string(place.bits) + " bits"}};
        }
        packed_ = PackedByte{place.offset, byte};
        return {};
    }

    // The value in decimal with leading zeros to the field's digit positions;
    // a value with more digits than the field has fails instead.
    Step writeBack(Field field, long value) {
        const auto digits = static_cast<int>(TraitsOf(field).mask.size());
        const std::string text = ZeroPadded(value, digits);
        if (static_cast<int>(text.size()) > digits) {
            return Failure{
                FieldError{field, text + " does not fit " + std::to_string(digits) + " digits"}};
        }
        return settings_.setText(field, text);
    }

    // `encoded` is the normalised text of what was written, or why it was not.
    Step textWriteBack(Field field, const Result<std::string, std::string>& encoded) {
        if (!encoded) {
            return Failure{FieldError{field, encoded.error()}};
        }
        return settings_.setText(field, *encoded);
    }

    struct PackedByte {
        std::size_t offset;
        long byte;
    };

    DeviceSettings& settings_;
    ConfigImage& image_;
    std::optional<PackedByte> packed_;
    BuildResult& result_;
};

// Blank callsigns do not stop the walk: their entries are written as blanks,
// and only after every field is written does the build fail.
constexpr std::array kMustNotBeBlank = {Field::edMyCall, Field::edReceiver};

} // namespace

long IntervalAsSent(std::string_view text) {
    const NumberCodec& interval = *NumberCodecOf(ImageCodec::Interval);
    const long value = std::max(NumericValue(text), interval.minimum);
    return interval.fromByte(interval.toByte(value));
}

BuildResult BuildImage(DeviceSettings& settings, ConfigImage& image) {
    image.fill(0);
    BuildResult result;
    Builder build(settings, image, result);
    Step built;
    for (Field field : ImageOrder()) {
        if (built = build.place(field); !built) {
            break;
        }
    }
    if (built) {
        build.finish();
    }
    for (std::size_t i = 0; built && i < kMustNotBeBlank.size(); ++i) {
        built = build.notBlank(kMustNotBeBlank[i]);
    }
    if (!built) {
        result.error = std::move(built).error();
    }
    return result;
}

} // namespace korvel
