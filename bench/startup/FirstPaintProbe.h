#pragma once

class QWidget;

namespace korvel::bench {

// Watches `window` until its first paint has been delivered, then prints one
// line "created_ns=<steady clock> paint_ns=<steady clock> rss_kb=<VmRSS>" and
// ends the event loop; created_ns is when this was called, once the window
// was built and before it is shown.
// The steady clock is the system's monotonic clock, which the bench that
// started the process reads too.
void ReportFirstPaint(QWidget& window);

} // namespace korvel::bench
