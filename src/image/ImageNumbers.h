#pragma once

#include "settings/FieldTraits.h"

namespace korvel {

// How a number field becomes one byte of the image, and which value the byte
// stands for.
struct NumberCodec {
    long minimum; // smaller values are first raised to this
    long (*toByte)(long value);
    long (*fromByte)(long byte);
};

// The number codec of the image codecs TxDelay, Interval, Count and GpsTimeout;
// nothing for the others.
const NumberCodec* NumberCodecOf(ImageCodec codec);

// The highest value of a number field that SEND takes, from the field's image
// codec and digits: its byte must fit, and the value the byte stands for, which
// the build writes back, must fit the field's digits (TX DELAY 996 ms, an
// interval of four digits 2554 s, of three 994 s). A capped count gives the
// highest its bits hold (larger values are lowered to it); a field outside the
// image its mask's highest.
long HighestSent(const FieldTraits& traits);

} // namespace korvel
