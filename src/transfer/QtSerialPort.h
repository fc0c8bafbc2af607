#pragma once

#include "transfer/SerialPort.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>

namespace korvel {

// The tracker's serial port on QSerialPort: 4800 baud, 8 data bits, no parity,
// 1 stop bit, no flow control, opened for writing only and exclusively (so no
// other program writes to the tracker meanwhile). Every failure comes back as a
// message that names the COM port and its device and says what to do. Nothing
// here waits on the device: QSerialPort hands the bytes to the system from the
// event loop.
class QtSerialPort final : public SerialPort {
public:
    // Finds COM numbers' devices in `deviceFolder` (Linux and macOS); with a
    // `fixedDevice`, uses that device whatever the COM number.
    explicit QtSerialPort(QString deviceFolder, QString fixedDevice = QString());

    PortResult select(int number) override;
    PortResult open() override;
    bool isOpen() const override;
    PortResult write(std::span<const std::uint8_t> bytes) override;
    PortResult close() override;

    QString device() const { return device_; }

private:
    QString portName() const;
    QString systemPath() const;
    std::string failure(const QString& what) const;
    std::string openFailure();
    std::optional<QString> pathProblem() const;
    QString permissionDenied() const;
    PortResult earlierWriteFailure() const;
    std::string lostDevice(const QString& during) const;
    QString systemDetail(int systemError) const;

    QString deviceFolder_;
    QString fixedDevice_;
    int number_ = 0;
    QString device_;
    QSerialPort port_;
    QElapsedTimer sinceWrite_;
};

} // namespace korvel
