#include "cli/HeldInterrupts.h"

#include <csignal>

namespace korvel::cli {
namespace {

// What a signal handler may touch: one flag, set by the handler alone.
volatile std::sig_atomic_t held = 0;

extern "C" void HoldSignal(int signal) {
    held = 1;
    std::signal(signal, SIG_DFL); // the next one stops the program
}

} // namespace

HeldInterrupts::HeldInterrupts() {
    held = 0;
    std::signal(SIGINT, HoldSignal);
    std::signal(SIGTERM, HoldSignal);
}

HeldInterrupts::~HeldInterrupts() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

bool HeldInterrupts::arrived() const {
    return held != 0;
}

} // namespace korvel::cli
