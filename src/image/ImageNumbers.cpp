#include "image/ImageNumbers.h"

#include "settings/RoundHalfEven.h"

namespace korvel {
namespace {

// Every value here is a few thousand at most, far within the range of long.
long Rounded(double x) {
    return static_cast<long>(RoundHalfEven(x));
}

// TX delay in milliseconds, stored in steps of 20/3 ms.
constexpr NumberCodec kTxDelay{7, [](long v) { return Rounded(v * 0.15); },
                               [](long b) { return Rounded(b / 0.15); }};
// Intervals in seconds, stored in steps of 10 s.
constexpr NumberCodec kInterval{10, [](long v) { return Rounded(v / 10.0); },
                                [](long b) { return b * 10; }};
// Counts stored as they are.
constexpr NumberCodec kCount{0, [](long v) { return v; }, [](long b) { return b; }};

constexpr long kHighestByte = 255;

long HighestOfDigits(const FieldTraits& traits) {
    long highest = 1;
    for (std::size_t i = 0; i < traits.mask.size(); ++i) {
        highest *= 10;
    }
    return highest - 1;
}

} // namespace

const NumberCodec* NumberCodecOf(ImageCodec codec) {
    switch (codec) {
    case ImageCodec::TxDelay:
        return &kTxDelay;
    case ImageCodec::Interval:
        return &kInterval;
    case ImageCodec::Count:
    case ImageCodec::GpsTimeout:
        return &kCount;
    default:
        return nullptr;
    }
}

long HighestSent(const FieldTraits& traits) {
    const long digits = HighestOfDigits(traits);
    if (traits.image.codec == ImageCodec::CappedCount) {
        return traits.image.highestInBits();
    }
    const NumberCodec* codec = NumberCodecOf(traits.image.codec);
    if (codec == nullptr) {
        return digits;
    }
    // The codecs only grow with the value: the first from the top that fits is the highest.
    for (long value = digits; value > codec->minimum; --value) {
        const long byte = codec->toByte(value);
        if (byte <= kHighestByte && codec->fromByte(byte) <= digits) {
            return value;
        }
    }
    return codec->minimum;
}

} // namespace korvel
