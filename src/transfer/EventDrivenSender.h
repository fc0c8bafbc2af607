#pragma once

// Contract between the window and the transfer (the implementation may add
// constructor parameters with defaults, e.g. seams for tests).

#include "image/ConfigImage.h"
#include "transfer/ProgressView.h"

#include <QObject>
#include <QString>

namespace korvel {

// Runs one transfer of a configuration image without blocking the event loop.
class EventDrivenSender : public QObject {
    Q_OBJECT
public:
    explicit EventDrivenSender(QObject* parent = nullptr);
    ~EventDrivenSender() override;

    // Starts a transfer to port `commText` (the text of edComm). The frames are
    // built from `image` before anything else happens. `view` must outlive the
    // transfer. finished() is always emitted exactly once, possibly before
    // start() returns (for a failure at selecting or opening the port).
    void start(const ConfigImage& image, const std::string& commText, ProgressView& view);

    bool isRunning() const;
    // Whether the serial port is open now; the window refuses to close meanwhile.
    bool isPortOpen() const;

signals:
    // `error` is empty after a successful transfer or the silent end when the
    // port reads as not open; otherwise it names the port and the cause.
    void finished(const QString& error);
};

} // namespace korvel
