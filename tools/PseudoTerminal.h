#pragma once

#include <string>
#include <sys/types.h>

namespace korvel::sim {

// A pseudo-terminal pair standing in for a serial line. The program under test
// opens the device (the slave side); the simulator reads the master side. The
// simulator keeps a slave descriptor of its own open, so that the line stays up
// between one sender closing the port and the next opening it.
class PseudoTerminal {
public:
    // Opens the pair and sets the line raw at 4800 baud, 8N1, no flow control.
    // Throws std::runtime_error on failure.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& device() const { return device_; }
    int masterFd() const { return master_; }

    // Makes `path` a symbolic link to the device, replacing an old link there
    // but never another kind of file; the link goes when the pair closes.
    // Throws std::runtime_error on failure.
    void link(const std::string& path);

    // Gives the device to the user `owner`, so that the user may open it when
    // the simulator runs as root (a pseudo-terminal belongs to whoever made
    // it). Throws std::runtime_error on failure.
    void handTo(uid_t owner);

    // Stops the line taking data from the program under test, as a stuck
    // adapter or flow control would, and starts it again. Works for any user:
    // it goes through the simulator's own descriptor.
    void suspendOutput();
    void resumeOutput();

    // Hangs up: closes both sides, as a tracker that is switched off would.
    void close();

private:
    void open();

    int master_ = -1;
    int slave_ = -1;
    std::string device_;
    std::string link_;
};

} // namespace korvel::sim
