#pragma once

#include "settings/Result.h"

#include <cstdint>
#include <span>
#include <string>

namespace korvel {

// What an operation on a serial port gives: nothing when it worked, otherwise a
// message for the operator that names the port and the cause (and what to do
// about it, where there is something to do).
using PortResult = Result<void, std::string>;

// What a transfer needs of a serial port.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Chooses the port by its COM number, before opening it.
    virtual PortResult select(int number) = 0;
    // Opens the chosen port for writing only, exclusively, at the tracker's line settings.
    virtual PortResult open() = 0;
    virtual bool isOpen() const = 0;
    // Hands the bytes over for transmission and returns without waiting for the
    // system to take them or for the line. A write that the system has not
    // taken by the next write or the close fails that call.
    virtual PortResult write(std::span<const std::uint8_t> bytes) = 0;
    // Closes the port; bytes the system never took are dropped, not waited for.
    virtual PortResult close() = 0;
};

} // namespace korvel
