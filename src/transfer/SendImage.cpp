#include "transfer/SendImage.h"

namespace korvel {

TransferResult SendImage(const ConfigImage& image, std::string_view commText, SerialPort& port,
                         Pauses& pauses, ProgressView& view, ErrorReport& errors) {
    TransferSession session(image, std::string(commText), port, view,
                            [&pauses] { pauses.pumpEvents(); });
    while (const auto pause = session.runToNextPause()) {
        pauses.pause(*pause);
    }
    if (session.result().outcome == TransferOutcome::Failed) {
        errors.report(session.result().error);
    }
    return session.result();
}

} // namespace korvel
