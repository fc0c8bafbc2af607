#include "transfer/TransferSession.h"

#include "settings/FieldRule.h"
#include "transfer/TransferPlan.h"

#include <cstdint>
#include <limits>

namespace korvel {

std::optional<int> PortNumber(std::string_view commText) {
    const long number = NumericValue(commText);
    if (number > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

TransferSession::TransferSession(const ConfigImage& image, std::string commText, SerialPort& port,
                                 ProgressView& view, std::string portName)
    : image_(image), commText_(std::move(commText)), port_(port), view_(view),
      portName_(portName.empty() ? "COM" + commText_ : std::move(portName)) {}

std::optional<std::chrono::milliseconds> TransferSession::runToNextPause() {
    while (!ended()) {
        if (next_ == kTransferPlan.size()) {
            result_.outcome = TransferOutcome::Sent;
            break;
        }
        const PlanStep& step = kTransferPlan[next_++];
        if (step.action == Action::Pause) {
            return step.pause;
        }
        if (!perform(step)) {
            break;
        }
    }
    return std::nullopt;
}

bool TransferSession::perform(const PlanStep& step) {
    switch (step.action) {
    case Action::BuildFrames:
        frames_ = BuildFrames(image_);
        return true;
    case Action::SelectPort:
        return selectPort();
    case Action::OpenPort:
        if (auto opened = port_.open(); !opened) {
            return fail(step.action, std::move(opened).error());
        }
        return true;
    case Action::CheckOpen:
        if (!port_.isOpen()) {
            result_.outcome = TransferOutcome::PortNotOpen;
            return false;
        }
        return true;
    case Action::ShowSendingText:
        view_.setText(SendingText(portName_));
        return true;
    case Action::HideOk:
        view_.setOkVisible(false);
        return true;
    case Action::ShowDialog:
        view_.showDialog();
        return true;
    case Action::Pause:
        return true;
    case Action::AppendDot:
        view_.setText(view_.text() + ".");
        return true;
    case Action::WriteMarker:
        return write(kStartMarker, step.action);
    case Action::WriteFrameA:
        return write(frames_.a, step.action);
    case Action::WriteFrameB:
        return write(frames_.b, step.action);
    case Action::ClosePort:
        if (auto closed = port_.close(); !closed) {
            return fail(step.action, std::move(closed).error());
        }
        return true;
    case Action::ShowCompletionText:
        view_.setText(std::string(kCompletionText));
        return true;
    case Action::ShowOk:
        view_.setOkVisible(true);
        return true;
    }
    return true;
}

bool TransferSession::selectPort() {
    const std::optional<int> number = PortNumber(commText_);
    if (!number) {
        return fail(Action::SelectPort, "COM" + commText_ +
                                            ": that is not a port number. Enter the number of "
                                            "the serial port the tracker is attached to.");
    }
    if (auto selected = port_.select(*number); !selected) {
        return fail(Action::SelectPort, std::move(selected).error());
    }
    return true;
}

bool TransferSession::write(std::span<const std::uint8_t> bytes, Action action) {
    if (auto written = port_.write(bytes); !written) {
        return fail(action, std::move(written).error());
    }
    return true;
}

bool TransferSession::fail(Action action, std::string message) {
    // Whatever failed, the port is not left open: the next SEND starts by
    // opening it again, and the window will not close while it is open.
    if (port_.isOpen()) {
        port_.close();
    }
    result_ = {TransferOutcome::Failed, std::move(message), action};
    return false;
}

} // namespace korvel
