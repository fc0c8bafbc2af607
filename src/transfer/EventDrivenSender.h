#pragma once

#include "image/ConfigImage.h"
#include "transfer/ProgressView.h"
#include "transfer/SerialPort.h"
#include "transfer/TransferSession.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

namespace korvel {

// Runs one transfer of a configuration image without blocking the event loop:
// the window's and the command line's one runner.
class EventDrivenSender : public QObject {
    Q_OBJECT
public:
    // Makes the port of one transfer; by default the real serial port, with COM
    // numbers looked up in the system's device folder.
    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

    // `pauseDivisor` shortens every pause, for tests only.
    explicit EventDrivenSender(QObject* parent = nullptr, PortFactory makePort = {},
                               int pauseDivisor = 1);
    ~EventDrivenSender() override;

    // Starts a transfer to port `commText` (the text of edComm); the progress
    // text names the port `portName`, by default "COM" and `commText`. The
    // frames are built from `image` before anything else happens. `view` must
    // outlive the transfer. finished() is always emitted exactly once, possibly
    // before start() returns (for a failure at selecting or opening the port).
    void start(const ConfigImage& image, const std::string& commText, ProgressView& view,
               const std::string& portName = {});

    bool isRunning() const;
    // Whether the serial port is open now; the window refuses to close meanwhile.
    bool isPortOpen() const;
    // How the last transfer ended.
    const TransferResult& lastResult() const { return lastResult_; }

signals:
    // `error` is empty after a successful transfer or the silent end when the
    // port reads as not open; otherwise it names the port and the cause.
    void finished(const QString& error);

private:
    void advance();

    PortFactory makePort_;
    int pauseDivisor_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<TransferSession> session_;
    TransferResult lastResult_;
    QTimer pauseTimer_;
};

} // namespace korvel
