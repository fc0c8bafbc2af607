#include "transfer/EventDrivenSender.h"

#include "transfer/PortResolver.h"
#include "transfer/QtSerialPort.h"

namespace korvel {

// The transfer runs on the window's own thread as a walk through the plan that
// returns to the event loop at every pause and resumes from a precise
// single-shot timer. So the window repaints and answers input throughout, a
// modal dialog opened meanwhile (its loop delivers timers too) does not stall
// the transfer, and the port and the dialog are only ever touched from the
// thread that owns them, with nothing to lock. A worker thread would have to
// hand every text and the port's state across threads for no gain in timing:
// the steps between pauses take microseconds. No step waits on the port
// either: a write hands the bytes over and returns, and a port that did not take
// them fails the next step that uses it.
EventDrivenSender::EventDrivenSender(QObject* parent, PortFactory makePort, int pauseDivisor)
    : QObject(parent), makePort_(std::move(makePort)), pauseDivisor_(std::max(1, pauseDivisor)) {
    if (!makePort_) {
        makePort_ = [] { return std::make_unique<QtSerialPort>(DefaultDeviceFolder()); };
    }
    pauseTimer_.setSingleShot(true);
    pauseTimer_.setTimerType(Qt::PreciseTimer);
    connect(&pauseTimer_, &QTimer::timeout, this, &EventDrivenSender::advance);
}

EventDrivenSender::~EventDrivenSender() {
    pauseTimer_.stop();
    if (port_ && port_->isOpen()) {
        port_->close();
    }
}

void EventDrivenSender::start(const ConfigImage& image, const std::string& commText,
                              ProgressView& view, const std::string& portName) {
    if (session_) {
        emit finished(QStringLiteral("A transfer to the tracker is already running."));
        return;
    }
    port_ = makePort_();
    session_ = std::make_unique<TransferSession>(image, commText, *port_, view, portName);
    advance();
}

void EventDrivenSender::advance() {
    if (const auto pause = session_->runToNextPause()) {
        pauseTimer_.start(*pause / pauseDivisor_);
        return;
    }
    lastResult_ = session_->result();
    session_.reset();
    emit finished(lastResult_.outcome == TransferOutcome::Failed
                      ? QString::fromStdString(lastResult_.error)
                      : QString());
}

bool EventDrivenSender::isRunning() const {
    return session_ != nullptr;
}

bool EventDrivenSender::isPortOpen() const {
    return port_ && port_->isOpen();
}

} // namespace korvel
