#include "transfer/TransferPlan.h"

namespace korvel {

std::string SendingText(std::string_view portName) {
    return "\r\nSending data on " + std::string(portName) + "...";
}

std::chrono::milliseconds PlannedDuration() {
    std::chrono::milliseconds total{0};
    for (const PlanStep& step : kTransferPlan) {
        total += step.pause;
    }
    return total;
}

} // namespace korvel
