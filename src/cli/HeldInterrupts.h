#pragma once

namespace korvel::cli {

// Holds Ctrl+C (SIGINT) and SIGTERM back while it lives, so that a transfer
// under way ends (the port closed, its lock file removed, the record written)
// before the program stops: a tracker is never left with half an image, and
// the next send finds the port free. A second signal stops the program at once.
class HeldInterrupts {
public:
    HeldInterrupts();
    ~HeldInterrupts();
    HeldInterrupts(const HeldInterrupts&) = delete;
    HeldInterrupts& operator=(const HeldInterrupts&) = delete;

    // Whether a signal came while it lived.
    bool arrived() const;
};

} // namespace korvel::cli
