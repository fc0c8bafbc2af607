#include "BuildTestSupport.h"
#include "DecodeImage.h"
#include "image/ImageNumbers.h"
#include "settings/FieldRule.h"

#include <optional>

namespace korvel {
namespace {

// A value that differs from the factory default in the image, for each image
// codec, and what the tracker's decoder shows for it.
struct Change {
    std::optional<std::string> text;
    std::optional<int> value;
    std::string decoded; // a part of the decoder's words for it
};

std::optional<Change> ChangeFor(const FieldTraits& traits) {
    const auto digits = static_cast<int>(traits.mask.size());
    const auto number = [&](long typed) {
        const NumberCodec& codec = *NumberCodecOf(traits.image.codec);
        const long sent = codec.fromByte(codec.toByte(typed));
        return Change{ZeroPadded(typed, digits), std::nullopt, std::to_string(sent)};
    };
    switch (traits.image.codec) {
    case ImageCodec::TxDelay:
        return number(500);
    case ImageCodec::Interval:
        return number(20);
    case ImageCodec::Count:
    case ImageCodec::GpsTimeout: // not 0, which selects GPSless mode
        return number(7);
    case ImageCodec::CappedCount:
        return Change{ZeroPadded(5, digits), std::nullopt, "5"};
    case ImageCodec::State:
        if (traits.kind == FieldKind::ListIndex) {
            return Change{std::nullopt, 3, std::string(kMicEEntries[3])};
        }
        return Change{std::nullopt, 1, "1 ("};
    case ImageCodec::SymbolCode:
        return Change{"a", std::nullopt, "a"};
    case ImageCodec::SymbolTable:
        return Change{std::nullopt, 1, "1 ("};
    case ImageCodec::Address:
    case ImageCodec::SourceAddress:
        return Change{"QX7ZZZ-3", std::nullopt, "QX7ZZZ-3"};
    case ImageCodec::DigipeaterPath:
        return Change{"WIDE3-3", std::nullopt, "WIDE3-3"};
    case ImageCodec::ZeroEndedText:
        return Change{"on the wire", std::nullopt, "on the wire"};
    case ImageCodec::Unplaced:
    case ImageCodec::NotInImage:
        break;
    }
    return std::nullopt;
}

std::string DecodedValue(const ConfigImage& image, Field field) {
    for (const sim::DecodedField& decoded : sim::DecodeImage(image).fields) {
        if (decoded.field == field) {
            return decoded.value;
        }
    }
    return "(not decoded)";
}

// Every field that the tracker's decoder reads, changed alone: the image changes
// in that field's bits only, and the decoder, written apart from the encoders,
// reads the new value there while every other field reads as before.
TEST_F(Build, EveryFieldTheTrackerReadsChangesOnlyItsOwnBitsOnTheWire) {
    ASSERT_TRUE(build().success());
    const ConfigImage factory = image;
    const sim::DecodedImage before = sim::DecodeImage(factory);
    EXPECT_EQ(before.fields.size(), ImageOrder().size()) << "fields the decoder reads";
    for (const sim::DecodedField& decoded : before.fields) {
        const FieldTraits& traits = TraitsOf(decoded.field);
        const auto change = ChangeFor(traits);
        ASSERT_TRUE(change) << traits.name << " has no place in the image";
        SetDefaults(settings);
        if (change->text) {
            set(traits.field, *change->text);
        } else {
            set(traits.field, *change->value);
        }
        ASSERT_TRUE(build().success()) << traits.name;

        const ImagePlace& place = traits.image;
        bool changed = false;
        for (std::size_t offset = 0; offset < kImageSize; ++offset) {
            const int bits = factory[offset] ^ image[offset];
            const bool inPlace = offset >= place.offset && offset < place.offset + place.bytes;
            const long own = !inPlace           ? 0
                             : place.isPacked() ? place.highestInBits() << place.firstBit
                                                : 0xFF;
            EXPECT_EQ(bits & ~own, 0) << traits.name << " changed byte " << offset;
            changed = changed || bits != 0;
        }
        EXPECT_TRUE(changed) << traits.name << " never reaches the image";

        for (const sim::DecodedField& other : sim::DecodeImage(image).fields) {
            if (other.field == traits.field) {
                EXPECT_NE(other.value.find(change->decoded), std::string::npos)
                    << traits.name << " decoded as '" << other.value << "'";
            } else {
                EXPECT_EQ(other.value, DecodedValue(factory, other.field))
                    << traits.name << " changed " << TraitsOf(other.field).name;
            }
        }
    }
}

} // namespace
} // namespace korvel
