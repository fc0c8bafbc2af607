#pragma once

#include "image/ConfigImage.h"
#include "transfer/Frames.h"
#include "transfer/ProgressView.h"
#include "transfer/SerialPort.h"
#include "transfer/TransferPlan.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace korvel {

enum class TransferOutcome {
    Running,
    Sent,
    PortNotOpen, // the port read as not open right after opening: ends silently
    Failed,
};

struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Running;
    std::string error;                  // for Failed: the message for the operator
    std::optional<Action> failedAction; // for Failed: the plan's action that failed
};

// One transfer walking the plan. It knows nothing of time: the runner asks it
// to run up to the next pause, waits that long its own way, and asks again.
class TransferSession {
public:
    // Keeps a copy of `image`; the plan's first step cuts it into frames. The
    // port is chosen by the number in `commText` (edComm's text); the progress
    // text names it `portName`, by default "COM" and `commText`.
    TransferSession(const ConfigImage& image, std::string commText, SerialPort& port,
                    ProgressView& view, std::string portName = {});

    // Runs steps until the next pause, and returns its length; returns nothing
    // once the transfer has ended (see result()).
    std::optional<std::chrono::milliseconds> runToNextPause();

    bool ended() const { return result_.outcome != TransferOutcome::Running; }
    const TransferResult& result() const { return result_; }

private:
    // Runs one action; false when it ended the transfer.
    bool perform(const PlanStep& step);
    bool selectPort();
    bool write(std::span<const std::uint8_t> bytes, Action action);
    bool fail(Action action, std::string message);

    ConfigImage image_;
    std::string commText_;
    SerialPort& port_;
    ProgressView& view_;
    std::string portName_;
    TransferFrames frames_{};
    std::size_t next_ = 0;
    TransferResult result_;
};

// The port number that edComm's text stands for: its leading digits, 0 when it
// has none; nothing when the number does not fit a 16-bit integer.
std::optional<int> PortNumber(std::string_view commText);

} // namespace korvel
