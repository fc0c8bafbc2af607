#include "image/ReadImage.h"

#include "image/ImageNumbers.h"
#include "image/PutCallsign.h"
#include "settings/FieldRule.h"
#include "settings/SetDefaults.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

namespace korvel {
namespace {

constexpr std::uint8_t kPrimaryTable = '/';
constexpr std::uint8_t kAlternateTable = '\\';
constexpr std::uint8_t kGpslessInterval = 252;

using Step = Result<void, ImageReadError>;

// The bits of each byte that some field's place owns.
std::array<std::uint8_t, kImageSize> OwnedBits() {
    std::array<std::uint8_t, kImageSize> owned{};
    for (Field field : ImageOrder()) {
        const ImagePlace& place = TraitsOf(field).image;
        for (std::size_t i = 0; i < place.bytes; ++i) {
            owned[place.offset + i] =
                place.isPacked()
                    ? static_cast<std::uint8_t>(owned[place.offset + i] |
                                                (place.highestInBits() << place.firstBit))
                    : 0xFF;
        }
    }
    return owned;
}

class Reader {
public:
    explicit Reader(const ConfigImage& image) : image_(image) {
        SetDefaults(read_.settings);
        gpsless_ = image_[TraitsOf(Field::edGpsAcqTime).image.offset] == 0;
    }

    Step place(Field field) {
        const ImagePlace& place = TraitsOf(field).image;
        switch (place.codec) {
        case ImageCodec::TxDelay:
        case ImageCodec::Interval:
        case ImageCodec::Count:
        case ImageCodec::GpsTimeout:
            return number(field, place);
        case ImageCodec::CappedCount:
            return setText(field, place.offset, ZeroPadded(bits(place), digits(field)));
        case ImageCodec::State:
            return setValue(field, place.offset, static_cast<int>(bits(place)));
        case ImageCodec::SymbolCode:
            return setText(field, place.offset, std::string(1, static_cast<char>(byte(place))));
        case ImageCodec::SymbolTable:
            return symbolTable(field, place.offset);
        case ImageCodec::Address:
        case ImageCodec::SourceAddress:
            return address(field, place.offset);
        case ImageCodec::DigipeaterPath:
            return path(field, place);
        case ImageCodec::ZeroEndedText:
            return text(field, place);
        case ImageCodec::Unplaced:
        case ImageCodec::NotInImage:
            break;
        }
        return {};
    }

    // Every bit that no field owns must be clear.
    Step unownedBits() const {
        const auto owned = OwnedBits();
        for (std::size_t offset = 0; offset < kImageSize; ++offset) {
            const int stray = image_[offset] & ~owned[offset];
            if (stray != 0) {
                const int bit = std::countr_zero(static_cast<unsigned>(stray));
                return Failure{ImageReadError{offset, std::nullopt,
                                              "bit " + std::to_string(bit) +
                                                  " is set, which no setting sets"}};
            }
        }
        return {};
    }

    ImageSettings take() && {
        for (const FieldTraits& traits : AllFields()) {
            const bool heldNot =
                !traits.image.inImage() || (gpsless_ && traits.field == Field::edGpsCheckTime);
            if (heldNot) {
                read_.notHeld.push_back(traits.field);
            }
        }
        return std::move(read_);
    }

private:
    static Failure<ImageReadError> Refused(std::size_t offset, Field field, std::string reason) {
        return Failure{ImageReadError{offset, field, std::move(reason)}};
    }

    std::uint8_t byte(const ImagePlace& place) const { return image_[place.offset]; }

    long bits(const ImagePlace& place) const {
        return (byte(place) >> place.firstBit) & place.highestInBits();
    }

    static int digits(Field field) { return static_cast<int>(TraitsOf(field).mask.size()); }

    Step number(Field field, const ImagePlace& place) {
        const long value = byte(place);
        if (field == Field::edGpsCheckTime && gpsless_) {
            if (value != kGpslessInterval) {
                return Refused(place.offset, field,
                               "GPSless mode puts " + std::to_string(kGpslessInterval) +
                                   " here, not " + std::to_string(value));
            }
            return {};
        }
        const NumberCodec& codec = *NumberCodecOf(place.codec);
        const std::string text = ZeroPadded(codec.fromByte(value), digits(field));
        if (value < codec.toByte(codec.minimum) || static_cast<int>(text.size()) > digits(field)) {
            return Refused(place.offset, field,
                           "no value of the field gives the byte " + std::to_string(value));
        }
        return setText(field, place.offset, text);
    }

    Step symbolTable(Field field, std::size_t offset) {
        const std::uint8_t table = image_[offset];
        if (table != kPrimaryTable && table != kAlternateTable) {
            return Refused(offset, field,
                           "the byte " + std::to_string(table) + " is neither '/' nor '\\'");
        }
        return setValue(field, offset, table == kAlternateTable ? 1 : 0);
    }

    AddressEntry entryAt(std::size_t offset) const {
        AddressEntry entry{};
        std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(offset), entry.size(),
                    entry.begin());
        return entry;
    }

    Step address(Field field, std::size_t offset) {
        auto text = ReadCallsign(entryAt(offset));
        if (!text) {
            return Refused(offset + text.error().index, field, std::move(text).error().reason);
        }
        return setText(field, offset, *text);
    }

    // No path: the 0 that ends the address list stands where the first entry
    // would. One address: its entry, then that 0. Two: both entries, then the 0.
    Step path(Field field, const ImagePlace& place) {
        const std::size_t first = place.offset;
        const std::size_t second = first + kAddressEntrySize;
        const std::size_t end = first + place.bytes;
        if (image_[first] == 0) {
            return onlyZerosFrom(field, first, end, "");
        }
        auto firstText = ReadCallsign(entryAt(first));
        if (!firstText) {
            return Refused(first + firstText.error().index, field,
                           std::move(firstText).error().reason);
        }
        if (image_[second] == 0) {
            if (firstText->empty()) {
                return Refused(first, field, "a path of one blank address");
            }
            return onlyZerosFrom(field, second, end, *firstText);
        }
        auto secondText = ReadCallsign(entryAt(second));
        if (!secondText) {
            return Refused(second + secondText.error().index, field,
                           std::move(secondText).error().reason);
        }
        return onlyZerosFrom(field, second + kAddressEntrySize, end,
                             *firstText + "," + *secondText);
    }

    Step text(Field field, const ImagePlace& place) {
        const auto begin = image_.begin() + static_cast<std::ptrdiff_t>(place.offset);
        const auto end = begin + static_cast<std::ptrdiff_t>(place.bytes);
        const auto zero = std::find(begin, end, 0);
        if (zero == end) {
            return Refused(place.offset + place.bytes - 1, field, "the text has no closing 0");
        }
        const std::string text(begin, zero);
        return onlyZerosFrom(field, place.offset + text.size(), place.offset + place.bytes, text);
    }

    // Sets the field's text once the bytes from `from` to the end of its place
    // are all 0, as the build leaves them.
    Step onlyZerosFrom(Field field, std::size_t from, std::size_t end, const std::string& text) {
        for (std::size_t offset = from; offset < end; ++offset) {
            if (image_[offset] != 0) {
                return Refused(offset, field,
                               "the byte " + std::to_string(image_[offset]) + " after the end");
            }
        }
        return setText(field, from, text);
    }

    Step setText(Field field, std::size_t offset, const std::string& text) {
        if (auto set = read_.settings.setText(field, text); !set) {
            return Refused(offset, field, std::move(set).error().reason);
        }
        return {};
    }

    Step setValue(Field field, std::size_t offset, int value) {
        if (auto set = read_.settings.setValue(field, value); !set) {
            return Refused(offset, field, std::move(set).error().reason);
        }
        return {};
    }

    const ConfigImage& image_;
    ImageSettings read_;
    bool gpsless_ = false;
};

} // namespace

std::string ImageReadError::message() const {
    std::string text = "offset " + std::to_string(offset);
    if (field) {
        text += " (" + CaptionOf(*field) + ")";
    }
    return text + ": " + reason;
}

Result<ImageSettings, ImageReadError> ReadImage(const ConfigImage& image) {
    Reader reader(image);
    for (Field field : ImageOrder()) {
        if (auto step = reader.place(field); !step) {
            return Failure{std::move(step).error()};
        }
    }
    if (auto step = reader.unownedBits(); !step) {
        return Failure{std::move(step).error()};
    }
    return std::move(reader).take();
}

} // namespace korvel
