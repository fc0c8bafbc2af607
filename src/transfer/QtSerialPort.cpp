#include "transfer/QtSerialPort.h"

#include "transfer/PortResolver.h"
#include "transfer/PortWording.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>

#if defined(Q_OS_UNIX)
#include "transfer/PortAccess.h"

#include <unistd.h>
#endif

namespace korvel {
namespace {

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

// Whether the device's name is gone from the system, as an unplugged USB
// adapter's is. Only Unix devices are files.
bool Vanished(const QString& device) {
#if defined(Q_OS_UNIX)
    return !QFileInfo::exists(device);
#else
    Q_UNUSED(device);
    return false;
#endif
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

PortResult QtSerialPort::select(int number) {
    number_ = number;
    if (!fixedDevice_.isEmpty()) {
        device_ = fixedDevice_;
        return {};
    }
    if (number < 1) {
        return Failure{"No serial port chosen: 'Comm num:' is empty or 0. Enter the number of the "
                       "COM port the tracker is attached to."};
    }
    const DeviceTree tree = DeviceTree::AroundDeviceFolder(deviceFolder_);
    const PortLookup lookup = ResolvePort(number, tree);
    if (!lookup.device) {
        return Failure{
            Utf8(QStringLiteral("COM%1: no such serial port; looked for %2. %3")
                     .arg(number)
                     .arg(lookup.lookedFor.join(QStringLiteral(", ")), PortsPresentText(tree)))};
    }
    device_ = *lookup.device;
    return {};
}

PortResult QtSerialPort::open() {
    port_.setPortName(systemPath());
    port_.setBaudRate(4800);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.clearError();
    if (port_.open(QIODevice::WriteOnly)) {
        return {};
    }
    return Failure{openFailure()};
}

// The device as the system knows it. Through a symbolic link or by its own
// name, one device is one port: QSerialPort's lock file is named after the
// path, so both names must come to the same path for the lock to keep a second
// sender out.
QString QtSerialPort::systemPath() const {
#if defined(Q_OS_UNIX)
    const QFileInfo info(device_);
    const QString target = info.canonicalFilePath();
    // A relative name would be taken as one in /dev.
    return target.isEmpty() ? info.absoluteFilePath() : target;
#else
    return device_;
#endif
}

std::string QtSerialPort::openFailure() {
    if (const auto problem = pathProblem()) {
        return failure(*problem);
    }
    switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError:
        return lostDevice(QStringLiteral("while opening it"));
    case QSerialPort::PermissionError:
        // The device may be written to, so the refusal is the lock or the
        // exclusive mode of another program's port.
        return failure(QStringLiteral("the port is busy: another program is using it. Close "
                                      "that program and try again."));
    case QSerialPort::OpenError:
        return failure(QStringLiteral("the port is already open."));
    default:
        break;
    }
    return failure(
        QStringLiteral("the port could not be opened as a serial port%1.").arg(systemDetail(0)));
}

// Why the device cannot be written to by its path, from the system's own
// answer; nothing when it can be.
std::optional<QString> QtSerialPort::pathProblem() const {
#if defined(Q_OS_UNIX)
    const QByteArray path = QFile::encodeName(device_);
    errno = 0;
    if (::access(path.constData(), W_OK) == 0) {
        return std::nullopt;
    }
    const int code = errno;
    const QString folder = QFileInfo(device_).absolutePath();
    switch (code) {
    case ENOENT:
        if (!QFileInfo(folder).isDir()) {
            return QStringLiteral("the folder %1 does not exist. Check the device's path.")
                .arg(folder);
        }
        return QStringLiteral("the device does not exist (any more). Check that the tracker's "
                              "cable or USB adapter is plugged in.");
    case ENOTDIR:
        return QStringLiteral("a part of the device's path is not a folder. Check the path.");
    case ENAMETOOLONG:
        return QStringLiteral("the device's path is too long for the system. Give a shorter one.");
    case ELOOP:
        return QStringLiteral("the device's path goes round in a loop of symbolic links.");
    case EACCES:
    case EPERM:
    case EROFS:
        return permissionDenied();
    default:
        return QStringLiteral("the device cannot be reached%1.").arg(systemDetail(code));
    }
#else
    return std::nullopt;
#endif
}

QString QtSerialPort::permissionDenied() const {
    QString text = QStringLiteral("permission denied");
#if defined(Q_OS_UNIX)
    const PortAccess access = CheckPortAccess(systemPath());
    if (!access.problem.isEmpty()) {
        text += QStringLiteral(": ") + access.problem;
    }
    if (!access.fix.isEmpty()) {
        return text + QStringLiteral(". To use it: ") + access.fix + QLatin1Char('.');
    }
#endif
    return text + QStringLiteral(". Ask the computer's administrator for access to the device.");
}

std::string QtSerialPort::lostDevice(const QString& during) const {
    return failure(QStringLiteral("the device vanished %1 (was the USB adapter unplugged?). "
                                  "Plug it in and try again.")
                       .arg(during));
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

PortResult QtSerialPort::write(std::span<const std::uint8_t> bytes) {
    if (auto earlier = earlierWriteFailure(); !earlier) {
        return earlier;
    }
    const qint64 size = static_cast<qint64>(bytes.size());
    // Queued only: QSerialPort writes from the event loop as soon as the
    // system takes bytes, which for a working port is at once.
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        return Failure{failure(
            QStringLiteral("writing to the port failed%1. Try again.").arg(systemDetail(0)))};
    }
    sinceWrite_.start();
    return {};
}

// What became of the bytes written before: lost with the device, refused by
// the system, or still waiting because the port stopped taking data.
PortResult QtSerialPort::earlierWriteFailure() const {
    const QSerialPort::SerialPortError error = port_.error();
    const bool waiting = port_.bytesToWrite() > 0;
    if (error == QSerialPort::ResourceError || (waiting && Vanished(device_))) {
        return Failure{
            failure(QStringLiteral("the device stopped taking data during the transfer: "
                                   "the line was closed or the USB adapter unplugged. The "
                                   "tracker did not get the whole configuration; check the "
                                   "connection and try again."))};
    }
    if (error != QSerialPort::NoError) {
        return Failure{failure(
            QStringLiteral("writing to the port failed%1. Try again.").arg(systemDetail(0)))};
    }
    if (waiting) {
        return Failure{
            failure(QStringLiteral("the port took no data for %1 ms: %2 bytes never left. "
                                   "The line is stuck (a cable, an adapter or flow "
                                   "control); the transfer was stopped. Check the "
                                   "connection and try again.")
                        .arg(sinceWrite_.elapsed())
                        .arg(port_.bytesToWrite()))};
    }
    return {};
}

PortResult QtSerialPort::close() {
    auto earlier = earlierWriteFailure();
    if (port_.bytesToWrite() > 0) {
        // Closing a port with output pending can wait for it to drain; what a
        // stuck port never took is dropped instead.
        port_.clear(QSerialPort::Output);
    }
    port_.clearError();
    port_.close();
    if (!earlier) {
        return earlier;
    }
    if (port_.error() == QSerialPort::NoError) {
        return {};
    }
    if (Vanished(device_)) {
        return Failure{lostDevice(QStringLiteral("before it was closed"))};
    }
    return Failure{failure(QStringLiteral("closing the port failed%1; the last bytes may not have "
                                          "reached the tracker. Try again.")
                               .arg(systemDetail(0)))};
}

// The system's own words for a failure: from the error number a system call
// left, taken right after it, or else (0) QSerialPort's account of an error it
// could name. errno is never read after a call into Qt: Qt makes further
// system calls of its own, so errno there may be any of theirs.
QString QtSerialPort::systemDetail(int systemError) const {
    if (systemError != 0) {
        return QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(systemError)));
    }
    const QSerialPort::SerialPortError error = port_.error();
    if (error == QSerialPort::NoError || error == QSerialPort::UnknownError) {
        return QString();
    }
    return QStringLiteral(" (%1)").arg(port_.errorString());
}

} // namespace korvel
