#include "FrameReceiver.h"

#include <algorithm>
#include <cstdio>

namespace korvel::sim {
namespace {

std::string Hex(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte));
    return text;
}

} // namespace

std::uint8_t TrackerChecksum(const std::uint8_t* half) {
    unsigned sum = 254;
    for (std::size_t i = 0; i < kHalf; ++i) {
        sum += half[i];
        if (sum > 255) {
            sum -= 256;
        }
    }
    return static_cast<std::uint8_t>(sum);
}

std::string ReceiverEvent::describe() const {
    const std::string name = std::string("frame ") + frame;
    switch (kind) {
    case Kind::FrameGood:
        return name + ": checksum " + Hex(found) + " good";
    case Kind::BadChecksum:
        return name + ": bad checksum " + Hex(found) + ", expected " + Hex(expected);
    case Kind::ShortFrame:
        return name + ": short frame, " + std::to_string(received) + " of " +
               std::to_string(kFrameBytes) + " bytes before the line fell silent";
    case Kind::MissingFrame:
        return name + ": timeout, the frame never began";
    case Kind::Complete:
        return "Success!";
    }
    return name;
}

std::optional<ReceiverEvent> FrameReceiver::push(std::uint8_t byte) {
    if (inFrame_) {
        frame_[frameBytes_++] = byte;
        if (frameBytes_ == kFrameBytes) {
            return frameEnded();
        }
        return std::nullopt;
    }
    if (byte == kMarkerByte) {
        if (++markerBytes_ == 2) {
            markerBytes_ = 0;
            inFrame_ = true;
            frameBytes_ = 0;
        }
    } else {
        markerBytes_ = 0;
    }
    return std::nullopt;
}

// Frames are told apart by their place in the transfer: the first after a
// silence is A, the next one B, whatever became of A.
std::optional<ReceiverEvent> FrameReceiver::frameEnded() {
    inFrame_ = false;
    ReceiverEvent event{};
    event.frame = expectingB_ ? 'B' : 'A';
    event.expected = TrackerChecksum(frame_.data());
    event.found = frame_[kHalf];
    const bool good = event.expected == event.found;
    event.kind = good ? ReceiverEvent::Kind::FrameGood : ReceiverEvent::Kind::BadChecksum;
    std::copy_n(frame_.begin(), kHalf, image_.begin() + (expectingB_ ? kHalf : 0));
    if (!expectingB_) {
        expectingB_ = true;
        aGood_ = good;
        return event;
    }
    if (good && aGood_) {
        event.kind = ReceiverEvent::Kind::Complete;
        event.image = image_;
    }
    restart();
    return event;
}

std::optional<ReceiverEvent> FrameReceiver::expire() {
    std::optional<ReceiverEvent> event;
    if (inFrame_) {
        event = ReceiverEvent{ReceiverEvent::Kind::ShortFrame, expectingB_ ? 'B' : 'A'};
        event->received = frameBytes_;
    } else if (expectingB_) {
        event = ReceiverEvent{ReceiverEvent::Kind::MissingFrame, 'B'};
    }
    restart();
    return event;
}

void FrameReceiver::restart() {
    expectingB_ = false;
    inFrame_ = false;
    markerBytes_ = 0;
    frameBytes_ = 0;
}

} // namespace korvel::sim
