#pragma once

#include <chrono>

namespace korvel {

// How a blocking transfer waits between its writes, and lets the window's
// pending events through at the points where the transfer allows it.
class Pauses {
public:
    virtual ~Pauses() = default;

    virtual void pause(std::chrono::milliseconds duration) = 0;
    // Does nothing where there is no window (the command line).
    virtual void pumpEvents() {}
};

// Pauses by putting the calling thread to sleep.
class SleepingPauses : public Pauses {
public:
    void pause(std::chrono::milliseconds duration) override;
};

} // namespace korvel
