// korvel-tracker-sim: a simulated tracker on a pseudo-terminal. It receives
// configuration transfers as the tracker would (start marker, two frames with
// checksums), says "Success!" as the tracker's LCD would, and prints the
// settings it received. For tests, demonstrations and anyone without a tracker.

#include "DecodeImage.h"
#include "FrameReceiver.h"
#include "PseudoTerminal.h"
#include "cli/OptionTable.h"
#include "settings/CodePage.h"
#include "settings/FieldTable.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <poll.h>
#include <pwd.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace korvel::sim {
namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    std::string link;
    std::string owner; // the user to hand the device to; empty: nobody else
    bool timing = false;
    int count = 1;
    // Longer than the longest pause inside a transfer (0.4 s), shorter than a
    // sender takes to open the port again and send anew after a failure.
    double timeoutSeconds = 0.6;
    char hangUpAfter = 0; // 'A': close the line once frame A has arrived
};

constexpr const char* kAbout =
    "Usage: korvel-tracker-sim [--link PATH] [--owner USER] [--timing] [--count N]\n"
    "                          [--timeout S] [--hang-up-after-a]\n\n"
    "Opens a pseudo-terminal at 4800 baud 8N1, prints its device on the first line\n"
    "and receives N configuration transfers (default 1) as the tracker would.\n";

// The whole of `text` as a number, or nothing: "2x", " 2" and "" are not numbers.
template <typename Number> std::optional<Number> NumberOf(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// The longest silence that makes sense, and keeps its milliseconds in an int.
constexpr double kLongestTimeoutSeconds = 3600;

// The user named by `name`, a user name or a number.
std::optional<uid_t> UserId(std::string_view name) {
    if (const auto number = NumberOf<uid_t>(name)) {
        return number;
    }
    const passwd* user = ::getpwnam(std::string(name).c_str());
    return user ? std::optional<uid_t>(user->pw_uid) : std::nullopt;
}

bool IsUser(std::string_view text) {
    return UserId(text).has_value();
}

bool IsCount(std::string_view text) {
    const auto count = NumberOf<int>(text);
    return count && *count >= 1;
}

bool IsTimeout(std::string_view text) {
    const auto seconds = NumberOf<double>(text);
    return seconds && *seconds > 0 && *seconds <= kLongestTimeoutSeconds;
}

using korvel::cli::OptionRow;

constexpr std::array kOptions = {
    OptionRow{.name = "--link",
              .value = "PATH",
              .help = "also make PATH a symbolic link to the device (an old link\n"
                      "there is replaced, any other file is left alone); the\n"
                      "link goes at the end, also on SIGINT and SIGTERM",
              .needs = "the path of the link to make"},
    OptionRow{.name = "--owner",
              .value = "USER",
              .help = "give the device to USER (a name or a number), so that\n"
                      "USER may open it when the simulator runs as root; run\n"
                      "with sudo, it goes to the user who ran sudo",
              .needs = "a user of this system",
              .accepts = IsUser},
    OptionRow{.name = "--timing",
              .value = {},
              .help = "print when each burst of bytes arrived, in ms from the\n"
                      "first, and on the system's monotonic clock"},
    OptionRow{.name = "--count",
              .value = "N",
              .help = "transfers to receive before exiting",
              .needs = "a whole number of transfers, 1 or more",
              .accepts = IsCount},
    OptionRow{.name = "--timeout",
              .value = "S",
              .help = "silence, in seconds, that ends an unfinished transfer; the\n"
                      "next start marker begins a new one (0.6)",
              .needs = "a number of seconds above 0, at most 3600",
              .accepts = IsTimeout},
    OptionRow{.name = "--hang-up-after-a",
              .value = {},
              .help = "close the line as soon as frame A has arrived"},
};

std::string Usage() {
    return std::string(kAbout) + "\nOptions:\n" + korvel::cli::OptionsHelp(kOptions) +
           "\nExit status: 0 when every transfer succeeded, 1 otherwise, 2 for bad usage.\n";
}

Options OptionsOf(const korvel::cli::ParsedOptions& parsed) {
    Options options;
    options.link = parsed.value("--link").value_or("");
    options.owner = parsed.value("--owner").value_or("");
    options.timing = parsed.has("--timing");
    if (const auto count = parsed.value("--count")) {
        options.count = *NumberOf<int>(*count);
    }
    if (const auto seconds = parsed.value("--timeout")) {
        options.timeoutSeconds = *NumberOf<double>(*seconds);
    }
    options.hangUpAfter = parsed.has("--hang-up-after-a") ? 'A' : 0;
    return options;
}

// Who gets the device: the user named, else, when root runs the simulator for
// a user through sudo, that user (root could open any device, and the window
// that will send to it runs as the user); else nobody else.
std::optional<uid_t> DeviceOwner(const Options& options) {
    if (!options.owner.empty()) {
        return UserId(options.owner);
    }
    const char* caller = std::getenv("SUDO_UID");
    if (::geteuid() == 0 && caller != nullptr) {
        return NumberOf<uid_t>(caller);
    }
    return std::nullopt;
}

// Bytes that arrive less than this apart belong to one write of the sender.
constexpr auto kBurstGap = std::chrono::milliseconds(3);

// When each burst of bytes of one transfer arrived.
class Timeline {
public:
    void record(Clock::time_point when, std::size_t bytes) {
        if (bursts_.empty() || when - last_ >= kBurstGap) {
            bursts_.push_back({when, 0});
        }
        bursts_.back().bytes += bytes;
        last_ = when;
    }
    void print() const {
        for (std::size_t i = 0; i < bursts_.size(); ++i) {
            const std::chrono::duration<double, std::milli> at =
                bursts_[i].start - bursts_.front().start;
            const std::chrono::duration<double, std::milli> clock =
                bursts_[i].start.time_since_epoch();
            std::printf("timing: burst %zu at +%.1f ms (clock %.3f ms), %zu bytes\n", i + 1,
                        at.count(), clock.count(), bursts_[i].bytes);
        }
    }
    void clear() { bursts_.clear(); }

private:
    struct Burst {
        Clock::time_point start;
        std::size_t bytes;
    };
    std::vector<Burst> bursts_;
    Clock::time_point last_;
};

void PrintSettings(const ReceivedImage& image) {
    const DecodedImage decoded = DecodeImage(image);
    for (const DecodedField& field : decoded.fields) {
        const FieldTraits& traits = TraitsOf(field.field);
        std::printf("  %-16s %-28s (%s)\n", std::string(traits.name).c_str(),
                    CodePageToUtf8(field.value).c_str(), std::string(traits.caption).c_str());
    }
    std::printf("  GPSless mode: %s\n", decoded.gpsless ? "yes" : "no");
}

// The signal that asked the simulator to stop, 0 while none has. A signal
// handler can reach nothing but a flag like this one.
volatile std::sig_atomic_t gStopSignal = 0;

extern "C" void AskToStop(int signal) {
    gStopSignal = signal;
}

void StopOnSignals() {
    struct sigaction action {};
    action.sa_handler = AskToStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a waiting poll() returns at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// How often an idle simulator looks whether it was asked to stop, in case the
// signal came just before it began to wait.
constexpr int kIdleWaitMs = 100;

class Simulator {
public:
    Simulator(const Options& options, PseudoTerminal& line) : options_(options), line_(line) {}

    // Receives the transfers; true when all of them succeeded.
    bool run() {
        while (finished_ < options_.count && line_.masterFd() >= 0 && gStopSignal == 0) {
            if (!waitAndRead()) {
                return false;
            }
        }
        return failures_ == 0 && finished_ == options_.count;
    }

private:
    bool waitAndRead() {
        pollfd fd{line_.masterFd(), POLLIN, 0};
        const int silence = static_cast<int>(options_.timeoutSeconds * 1000);
        int ready = 0;
        do {
            ready = ::poll(&fd, 1, receiver_.idle() ? kIdleWaitMs : silence);
        } while (ready == 0 && receiver_.idle() && gStopSignal == 0);
        if (gStopSignal != 0 || (ready < 0 && errno == EINTR)) {
            return true;
        }
        if (ready == 0) { // silent for `silence` in the middle of a transfer
            if (auto event = receiver_.expire()) {
                handle(*event);
            }
            return true;
        }
        std::uint8_t buffer[256];
        const ssize_t count = ready > 0 ? ::read(fd.fd, buffer, sizeof buffer) : -1;
        if (count <= 0) {
            std::perror("korvel-tracker-sim: reading the line");
            return false;
        }
        timeline_.record(Clock::now(), static_cast<std::size_t>(count));
        for (ssize_t i = 0; i < count && line_.masterFd() >= 0; ++i) {
            if (auto event = receiver_.push(buffer[i])) {
                handle(*event);
            }
        }
        return true;
    }

    void handle(const ReceiverEvent& event) {
        using Kind = ReceiverEvent::Kind;
        if (event.kind == Kind::Complete) {
            endTransfer(true);
            std::printf("Success!\n");
            PrintSettings(event.image);
        } else if (event.kind == Kind::FrameGood || event.kind == Kind::BadChecksum) {
            std::printf("%s\n", event.describe().c_str());
            if (event.frame == 'B') {
                endTransfer(false);
            } else if (options_.hangUpAfter == 'A') {
                std::printf("hanging up after frame A\n");
                line_.close();
            }
        } else {
            std::printf("error: %s\n", event.describe().c_str());
            endTransfer(false);
        }
        std::fflush(stdout);
    }

    void endTransfer(bool success) {
        if (options_.timing) {
            timeline_.print();
        }
        timeline_.clear();
        ++finished_;
        failures_ += success ? 0 : 1;
        if (!success) {
            std::printf("Transfer failed.\n");
        }
    }

    const Options& options_;
    PseudoTerminal& line_;
    FrameReceiver receiver_;
    Timeline timeline_;
    int finished_ = 0;
    int failures_ = 0;
};

} // namespace
} // namespace korvel::sim

int main(int argc, char** argv) {
    using namespace korvel::sim;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const korvel::cli::ParseResult parsed = korvel::cli::ParseOptions(kOptions, args, 0);
    if (parsed.help) {
        std::cout << Usage();
        return 0;
    }
    if (!parsed.error.empty()) {
        // The usage first, the reason last, where it stays in sight.
        std::cerr << Usage() << "\nkorvel-tracker-sim: " << parsed.error << "\n";
        return 2;
    }
    const Options options = OptionsOf(parsed.options);
    StopOnSignals();
    int status = 1;
    try {
        PseudoTerminal line;
        if (const auto owner = DeviceOwner(options)) {
            line.handTo(*owner);
        }
        if (!options.link.empty()) {
            line.link(options.link);
        }
        std::printf("%s\n", line.device().c_str());
        std::fflush(stdout);
        Simulator simulator(options, line);
        status = simulator.run() ? 0 : 1;
    } catch (const std::runtime_error& error) {
        std::cerr << "korvel-tracker-sim: " << error.what() << "\n";
        return 1;
    }
    // The line and its link are gone; end as the signal would have ended us.
    if (gStopSignal != 0) {
        std::signal(gStopSignal, SIG_DFL);
        std::raise(gStopSignal);
    }
    return status;
}
