#include "image/BuildImage.h"

#include "image/AprsPath.h"
#include "image/ImageLayout.h"
#include "image/PutCallsign.h"
#include "image/PutText.h"
#include "settings/FieldRule.h"
#include "settings/RoundHalfEven.h"

#include <algorithm>

namespace korvel {
namespace {

using namespace offset;

constexpr std::uint8_t kPrimaryTable = '/';
constexpr std::uint8_t kAlternateTable = '\\';
constexpr std::uint8_t kGpslessInterval = 252; // replaces the GPS interval in GPSless mode
constexpr long kHighestStatusRate = 127;
constexpr long kDisplayFlag = 128;
constexpr long kAutoReplyFlag = 16;

using Step = Result<void, FieldError>;

// How a numeric field becomes a byte, and which value the byte stands for.
struct Conversion {
    long minimum; // smaller values are first raised to this
    long (*toByte)(long value);
    long (*fromByte)(long byte);
};

// Every value here is a few thousand at most, far within the range of long.
long Rounded(double x) {
    return static_cast<long>(RoundHalfEven(x));
}

// TX delay in milliseconds, stored in steps of 20/3 ms.
constexpr double kTxDelayStepsPerMs = 0.15;
constexpr Conversion kTxDelayConversion{7, [](long v) { return Rounded(v * kTxDelayStepsPerMs); },
                                        [](long b) { return Rounded(b / kTxDelayStepsPerMs); }};
// Intervals in seconds, stored in steps of 10 s.
constexpr Conversion kIntervalConversion{10, [](long v) { return Rounded(v / 10.0); },
                                         [](long b) { return b * 10; }};
// Counts stored as they are.
constexpr Conversion kCountConversion{0, [](long v) { return v; }, [](long b) { return b; }};

bool FitsByte(long value) {
    return value >= 0 && value <= 255;
}

class Builder {
public:
    Builder(DeviceSettings& settings, ConfigImage& image, BuildResult& result)
        : settings_(settings), image_(image), result_(result) {}

    Step number(Field field, std::size_t offset, const Conversion& conversion) {
        long value = NumericValue(settings_.text(field));
        if (value < conversion.minimum) {
            value = conversion.minimum;
            if (auto step = writeBack(field, value); !step) {
                return step;
            }
        }
        const long byte = conversion.toByte(value);
        if (auto step = putByte(field, offset, byte); !step) {
            return step;
        }
        return writeBack(field, conversion.fromByte(byte));
    }

    // Slowest band first; each band keeps its own number of digits.
    Step speedTable() {
        for (std::size_t band = 0; band < kSpeedBands; ++band) {
            if (auto step = number(SpeedTableField(band), kSpeedTable + band, kIntervalConversion);
                !step) {
                return step;
            }
        }
        return {};
    }

    Step messageFlags() {
        const int entry = settings_.value(Field::cbMicEMsg);
        if (entry < 0) {
            return Failure{FieldError{Field::cbMicEMsg, "no entry selected"}};
        }
        return putByte(Field::cbMicEMsg, kMessageFlags,
                       kAutoReplyFlag * settings_.value(Field::chkAutoReply) + entry);
    }

    Step symbol() {
        const std::string text = settings_.text(Field::edSymbol);
        if (text.empty()) {
            return Failure{FieldError{Field::edSymbol, "holds no character"}};
        }
        return putByte(Field::edSymbol, kSymbolCode, static_cast<std::uint8_t>(text.front()));
    }

    Step symbolTable() {
        const bool alternate = settings_.value(Field::chkTable) != 0;
        return putByte(Field::chkTable, kSymbolTable, alternate ? kAlternateTable : kPrimaryTable);
    }

    Step gpsTimeout() {
        if (auto step = number(Field::edGpsAcqTime, kGpsTimeout, kCountConversion); !step) {
            return step;
        }
        const bool gpsless = NumericValue(settings_.text(Field::edGpsAcqTime)) == 0;
        result_.gpslessMode = gpsless;
        if (gpsless) {
            image_[kGpsInterval] = kGpslessInterval;
        }
        return {};
    }

    Step statusRate() {
        const Field field = Field::edBcnEvery;
        long value = NumericValue(settings_.text(field));
        if (value > kHighestStatusRate) {
            value = kHighestStatusRate;
            if (auto step = writeBack(field, value); !step) {
                return step;
            }
        }
        const long byte = value + kDisplayFlag * settings_.value(Field::chkRxPosition);
        if (auto step = putByte(Field::chkRxPosition, kStatusRate, byte); !step) {
            return step;
        }
        return writeBack(field, byte & kHighestStatusRate);
    }

    Step callsign(Field field, std::size_t offset, bool last) {
        std::size_t position = offset;
        return textWriteBack(field, PutCallsign(image_, position, settings_.text(field), last));
    }

    Step path() {
        const Field field = Field::edAprsPath;
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

    Step notBlank(Field field) {
        if (settings_.text(field).empty()) {
            return Failure{FieldError{field, "empty"}};
        }
        return {};
    }

    bool pathIsEmpty() const { return AprsPathIsEmpty(settings_.text(Field::edAprsPath)); }

private:
    Step putByte(Field field, std::size_t offset, long value) {
        if (!FitsByte(value)) {
            return Failure{FieldError{field, std::to_string(value) + " does not fit a byte"}};
        }
        if (auto put = PutByte(image_, offset, static_cast<std::uint8_t>(value)); !put) {
            return Failure{FieldError{field, std::move(put).error()}};
        }
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

    DeviceSettings& settings_;
    ConfigImage& image_;
    BuildResult& result_;
};

// Runs the steps in order and stops at the first that fails.
template <typename... Steps> Step FirstFailure(Steps&&... steps) {
    Step outcome;
    (void)((outcome = steps()).has_value() && ...); // && stops at the first failure
    return outcome;
}

} // namespace

long IntervalAsSent(std::string_view text) {
    const long value = std::max(NumericValue(text), kIntervalConversion.minimum);
    return kIntervalConversion.fromByte(kIntervalConversion.toByte(value));
}

double TxDelayMilliseconds(std::uint8_t stored) {
    return stored / kTxDelayStepsPerMs;
}

BuildResult BuildImage(DeviceSettings& settings, ConfigImage& image) {
    image.fill(0);
    BuildResult result;
    Builder build(settings, image, result);
    // clang-format off
    Step built = FirstFailure(
        [&] { return build.number(Field::edNumFlagsAuto, kTxDelay, kTxDelayConversion); },
        [&] { return build.number(Field::edMsgRepeat, kMessageRetries, kCountConversion); },
        [&] { return build.messageFlags(); },
        [&] { return build.symbol(); },
        [&] { return build.symbolTable(); },
        [&] { return build.number(Field::edGpsCheckTime, kGpsInterval, kIntervalConversion); },
        [&] { return build.speedTable(); },
        [&] { return build.number(Field::edManualTime, kManualInterval, kIntervalConversion); },
        [&] { return build.gpsTimeout(); },
        [&] { return build.statusRate(); },
        [&] { return build.callsign(Field::edReceiver, kDestination, false); },
        [&] { return build.callsign(Field::edMyCall, kSource, build.pathIsEmpty()); },
        [&] { return build.path(); },
        [&] { return build.text(Field::edBeacon, kStatusText); },
        [&] { return build.callsign(Field::edDestCall, kAddressee, false); },
        [&] { return build.text(Field::edAprsMsg, kMessageText); },
        // Blank callsigns do not stop the steps above: both entries are written
        // as blanks, and only now does the build fail.
        [&] { return build.notBlank(Field::edMyCall); },
        [&] { return build.notBlank(Field::edReceiver); });
    // clang-format on
    if (!built) {
        result.error = std::move(built).error();
    }
    return result;
}

} // namespace korvel
