// Feeds arbitrary bytes to the receiving side of the wire format, with a
// silence wherever a byte 0x00 follows 0x00 0x00, and decodes every image that
// comes out complete.

#include "DecodeImage.h"
#include "FrameReceiver.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(const korvel::sim::ReceiverEvent& event) {
    if (event.describe().empty()) {
        std::abort();
    }
    if (event.kind == korvel::sim::ReceiverEvent::Kind::Complete) {
        korvel::sim::DecodeImage(event.image);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvel::sim::FrameReceiver receiver;
    int zeros = 0;
    for (std::size_t i = 0; i < size; ++i) {
        zeros = data[i] == 0 ? zeros + 1 : 0;
        if (zeros == 3) {
            if (auto event = receiver.expire()) {
                Check(*event);
            }
            if (!receiver.idle()) {
                std::abort();
            }
            zeros = 0;
        }
        if (auto event = receiver.push(data[i])) {
            Check(*event);
        }
    }
    return 0;
}
