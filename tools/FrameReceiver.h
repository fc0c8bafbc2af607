#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace korvel::sim {

// The tracker's view of the wire format, written apart from the sender's code
// on purpose: the simulated tracker checks the sender, and a table shared by
// both would hide a mistake made in it.
inline constexpr std::uint8_t kMarkerByte = 0xFF; // two of them start each frame
inline constexpr std::size_t kHalf = 57;          // image bytes in each frame
inline constexpr std::size_t kFrameBytes = kHalf + 1;
using ReceivedImage = std::array<std::uint8_t, 2 * kHalf>;

// The checksum the tracker expects after a half: a 16-bit register that
// starts at 254, adds each byte and drops 256 whenever it passes 255.
std::uint8_t TrackerChecksum(const std::uint8_t* half);

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
    ReceivedImage image{};     // Complete

    // One line for the operator, e.g. "frame B: bad checksum 0x12, expected 0xC7".
    std::string describe() const;
};

// The tracker's side of the line: waits for the start marker, takes the 58
// bytes after it as a frame and checks the checksum; frame A then frame B,
// both good, make one configuration. Bytes inside a frame are taken as they
// come, 0xFF included. A silence (expire()) ends whatever was under way, so
// the next marker starts a new transfer with frame A. Accepts any byte sequence.
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
    std::array<std::uint8_t, kFrameBytes> frame_{};
    ReceivedImage image_{};
};

} // namespace korvel::sim
