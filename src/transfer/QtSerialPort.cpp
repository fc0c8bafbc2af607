#include "transfer/QtSerialPort.h"

#include "transfer/PortResolver.h"
#include "transfer/PortWording.h"

#include <QFileInfo>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace korvel {
namespace {

// 58 bytes go into the system's buffer at once; a port that does not take them
// within this time is stuck.
constexpr int kWriteTimeoutMs = 1000;

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace

QtSerialPort::QtSerialPort(QString deviceFolder, QString fixedDevice)
    : deviceFolder_(std::move(deviceFolder)), fixedDevice_(std::move(fixedDevice)) {}

QString QtSerialPort::portName() const {
    if (!fixedDevice_.isEmpty()) {
        return device_;
    }
    return QStringLiteral("COM%1 (%2)").arg(number_).arg(device_);
}

std::string QtSerialPort::failure(const QString& what) const {
    return Utf8(portName() + QStringLiteral(": ") + what);
}

// The system's own words for the last error, when it has any worth showing.
QString QtSerialPort::systemDetail() const {
    const QString detail = port_.errorString();
    if (detail.isEmpty() || detail.contains(QStringLiteral("Unknown error"), Qt::CaseInsensitive)) {
        return QString();
    }
    return QStringLiteral(" (%1)").arg(detail);
}

std::optional<std::string> QtSerialPort::select(int number) {
    number_ = number;
    if (!fixedDevice_.isEmpty()) {
        device_ = fixedDevice_;
        return std::nullopt;
    }
    if (number < 1) {
        return "No serial port chosen: 'Comm num:' is empty or 0. Enter the number of the "
               "COM port the tracker is attached to.";
    }
    const DeviceTree tree = DeviceTree::AroundDeviceFolder(deviceFolder_);
    const PortLookup lookup = ResolvePort(number, tree);
    if (!lookup.device) {
        return Utf8(QStringLiteral("COM%1: no such serial port; looked for %2. %3")
                        .arg(number)
                        .arg(lookup.lookedFor.join(QStringLiteral(", ")), PortsPresentText(tree)));
    }
    device_ = *lookup.device;
    return std::nullopt;
}

std::optional<std::string> QtSerialPort::open() {
    port_.setPortName(device_);
    port_.setBaudRate(4800);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.clearError();
    if (port_.open(QIODevice::WriteOnly)) {
        return std::nullopt;
    }
    return openFailure();
}

std::string QtSerialPort::openFailure() {
    const QFileInfo info(device_);
    switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError:
        return failure(QStringLiteral("the device does not exist (any more). Check that the "
                                      "tracker's cable or USB adapter is plugged in."));
    case QSerialPort::PermissionError:
#if defined(Q_OS_UNIX)
        if (::access(QFile::encodeName(device_).constData(), W_OK) != 0) {
            const QString group = info.group().isEmpty() ? QStringLiteral("dialout") : info.group();
            return failure(QStringLiteral("permission denied. Your user must be a member of "
                                          "the group '%1' that owns the device: run "
                                          "'sudo usermod -aG %1 $USER', then log in again.")
                               .arg(group));
        }
#endif
        return failure(QStringLiteral("the port is busy: another program is using it. Close "
                                      "that program and try again."));
    case QSerialPort::OpenError:
        return failure(QStringLiteral("the port is already open."));
    default:
        break;
    }
    if (!info.exists()) {
        return lostDevice(QStringLiteral("while opening it"));
    }
    return failure(
        QStringLiteral("the port could not be opened as a serial port%1.").arg(systemDetail()));
}

std::string QtSerialPort::lostDevice(const QString& during) const {
    return failure(QStringLiteral("the device vanished %1 (was the USB adapter unplugged?). "
                                  "Plug it in and try again.")
                       .arg(during));
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

std::optional<std::string> QtSerialPort::write(std::span<const std::uint8_t> bytes) {
    port_.clearError();
    const qint64 size = static_cast<qint64>(bytes.size());
    const bool queued = port_.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
    // QSerialPort hands bytes to the system from its event loop; this hands
    // them over now, so that they leave on time. It does not wait for the line.
    const bool handedOver =
        queued && (port_.bytesToWrite() == 0 || port_.waitForBytesWritten(kWriteTimeoutMs));
    if (handedOver && port_.error() == QSerialPort::NoError) {
        return std::nullopt;
    }
    if (!QFileInfo::exists(device_) || port_.error() == QSerialPort::ResourceError) {
        return failure(QStringLiteral("the device stopped taking data during the transfer%1: "
                                      "the line was closed or the USB adapter unplugged. The "
                                      "tracker did not get the whole configuration; check the "
                                      "connection and try again.")
                           .arg(systemDetail()));
    }
    if (port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError) {
        return failure(QStringLiteral("the port took no data for %1 ms; the transfer was "
                                      "stopped. Check the connection and try again.")
                           .arg(kWriteTimeoutMs));
    }
    return failure(QStringLiteral("writing to the port failed%1. Try again.").arg(systemDetail()));
}

std::optional<std::string> QtSerialPort::close() {
    port_.clearError();
    port_.close();
    if (port_.error() == QSerialPort::NoError) {
        return std::nullopt;
    }
    if (!QFileInfo::exists(device_)) {
        return lostDevice(QStringLiteral("before it was closed"));
    }
    return failure(QStringLiteral("closing the port failed%1; the last bytes may not have "
                                  "reached the tracker. Try again.")
                       .arg(systemDetail()));
}

} // namespace korvel
