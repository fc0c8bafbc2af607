#pragma once

#include <array>
#include <chrono>
#include <string>
#include <string_view>

namespace korvel {

// One thing a transfer does. A transfer is the table kTransferPlan below, run
// from top to bottom.
enum class Action {
    BuildFrames,        // cut the image into frames A and B with their checksums
    SelectPort,         // choose the port by the number in edComm
    OpenPort,           //
    CheckOpen,          // a port that reads as not open ends the transfer silently
    ShowSendingText,    // "Sending data on COM" + edComm's text + "..."
    HideOk,             //
    ShowDialog,         // non-modal
    Pause,              //
    AppendDot,          // one more dot of progress
    WriteMarker,        // 0xFF 0xFF
    WriteFrameA,        //
    WriteFrameB,        //
    ClosePort,          //
    ShowCompletionText, // "Data sent !" and where to look for 'Success!'
    ShowOk,             //
};

struct PlanStep {
    Action action;
    std::chrono::milliseconds pause{0}; // for Action::Pause
};

constexpr PlanStep Do(Action action) {
    return {action};
}
constexpr PlanStep Wait(int milliseconds) {
    return {Action::Pause, std::chrono::milliseconds{milliseconds}};
}

// One transfer, step by step. Cutting the image into frames and computing
// their checksums touches nothing outside the transfer, so one action stands
// for all of it. The window's events get through at every pause, where the runner
// is back in the event loop, so no step asks for them.
inline constexpr std::array kTransferPlan = {
    Do(Action::BuildFrames),
    Do(Action::SelectPort),
    Do(Action::OpenPort),
    Do(Action::CheckOpen),
    Do(Action::ShowSendingText),
    Do(Action::HideOk),
    Do(Action::ShowDialog),
    Wait(400),
    Do(Action::AppendDot),
    Do(Action::WriteMarker),
    Wait(10),
    Do(Action::WriteFrameA),
    Wait(400),
    Do(Action::AppendDot),
    Do(Action::WriteMarker),
    Wait(10),
    Do(Action::WriteFrameB),
    Wait(400),
    Do(Action::AppendDot),
    Do(Action::ClosePort),
    Wait(400),
    Do(Action::ShowCompletionText),
    Do(Action::ShowOk),
};

// The dialog's texts. Lines end with CR LF; the first line of the progress text
// is empty. `portName` is "COM" and edComm's text, or a device's path.
std::string SendingText(std::string_view portName);
inline constexpr std::string_view kCompletionText =
    "Data sent !\r\n Be shure that the word 'Success!' appears on LCD";

// The sum of the plan's pauses.
std::chrono::milliseconds PlannedDuration();

} // namespace korvel
