#include "transfer/TransferPlan.h"

namespace korvel {

std::string SendingText(std::string_view commText) {
    return "\r\nSending data on COM" + std::string(commText) + "...";
}

std::chrono::milliseconds PlannedDuration() {
    std::chrono::milliseconds total{0};
    for (const PlanStep& step : kTransferPlan) {
        total += step.pause;
    }
    return total;
}

} // namespace korvel
