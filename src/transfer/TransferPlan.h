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
    int number; // the step's number in the transfer; two actions of one step share it
    Action action;
    std::chrono::milliseconds pause{0}; // for Action::Pause
};

constexpr PlanStep Do(int number, Action action) {
    return {number, action};
}
constexpr PlanStep Wait(int number, int milliseconds) {
    return {number, Action::Pause, std::chrono::milliseconds{milliseconds}};
}

// One transfer, step by step. Steps 1 to 4 cut the image into frames with
// their checksums and touch nothing outside the transfer, so one action stands
// for them. The window's events get through at every pause, where the runner
// is back in the event loop, so no step asks for them.
inline constexpr std::array kTransferPlan = {
    Do(1, Action::BuildFrames),
    Do(5, Action::SelectPort),
    Do(6, Action::OpenPort),
    Do(7, Action::CheckOpen),
    Do(8, Action::ShowSendingText),
    Do(9, Action::HideOk),
    Do(10, Action::ShowDialog),
    Wait(12, 400),
    Do(13, Action::AppendDot),
    Do(14, Action::WriteMarker),
    Wait(15, 10),
    Do(16, Action::WriteFrameA),
    Wait(17, 400),
    Do(18, Action::AppendDot),
    Do(19, Action::WriteMarker),
    Wait(20, 10),
    Do(21, Action::WriteFrameB),
    Wait(22, 400),
    Do(23, Action::AppendDot),
    Do(24, Action::ClosePort),
    Wait(25, 400),
    Do(26, Action::ShowCompletionText),
    Do(27, Action::ShowOk),
};

// The dialog's texts. Lines end with CR LF; the first line of the progress text
// is empty. `portName` is "COM" and edComm's text, or a device's path.
std::string SendingText(std::string_view portName);
inline constexpr std::string_view kCompletionText =
    "Data sent !\r\n Be shure that the word 'Success!' appears on LCD";

// The sum of the plan's pauses.
std::chrono::milliseconds PlannedDuration();

} // namespace korvel
