#pragma once

#include "image/ConfigImage.h"
#include "transfer/Frames.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace korvel {

// Something the receiving end of the line noticed.
struct ReceiverEvent {
    enum class Kind {
        FrameGood,    // a frame with a matching checksum
        BadChecksum,  // a complete frame whose checksum does not match
        ShortFrame,   // the line fell silent in the middle of a frame
        MissingFrame, // the line fell silent after frame A, before frame B began
        Complete,     // both frames good: `image` holds the configuration
    };
    Kind kind;
    char frame = 'A';          // the frame concerned, 'A' or 'B'
    std::size_t received = 0;  // ShortFrame: bytes of the frame that arrived
    std::uint8_t expected = 0; // BadChecksum: checksum of the received half
    std::uint8_t found = 0;    // BadChecksum: checksum byte on the line
    ConfigImage image{};       // Complete

    // One line for the operator, e.g. "frame B: bad checksum 0x12, expected 0xC7".
    std::string describe() const;
};

// The tracker's side of the wire format, for the simulated tracker: waits for
// the start marker, takes the 58 bytes after it as a frame and checks the
// checksum; frame A then frame B, both good, make one configuration. Bytes inside a frame
// are taken as they come, 0xFF included. Accepts any byte sequence.
class FrameReceiver {
public:
    std::optional<ReceiverEvent> push(std::uint8_t byte);
    // The line has been silent too long: reports an unfinished frame or a
    // missing frame B, and starts over.
    std::optional<ReceiverEvent> expire();
    // No transfer is under way (waiting for frame A's marker).
    bool idle() const { return !expectingB_ && !inFrame_ && markerBytes_ == 0; }

private:
    std::optional<ReceiverEvent> frameEnded();
    void restart();

    bool expectingB_ = false;
    bool aGood_ = false;
    bool inFrame_ = false;
    std::size_t markerBytes_ = 0;
    std::size_t frameBytes_ = 0;
    Frame frame_{};
    ConfigImage image_{};
};

} // namespace korvel
