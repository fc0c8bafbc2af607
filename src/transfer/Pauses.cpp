#include "transfer/Pauses.h"

#include <thread>

namespace korvel {

void SleepingPauses::pause(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

} // namespace korvel
