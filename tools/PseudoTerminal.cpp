#include "PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace korvel::sim {
namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void SetTrackerLine(int fd) {
    termios line{};
    if (tcgetattr(fd, &line) != 0) {
        Fail("tcgetattr");
    }
    cfmakeraw(&line);
    cfsetispeed(&line, B4800);
    cfsetospeed(&line, B4800);
    line.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    line.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (tcsetattr(fd, TCSANOW, &line) != 0) {
        Fail("tcsetattr");
    }
}

} // namespace

PseudoTerminal::PseudoTerminal() {
    try {
        open();
    } catch (...) {
        close(); // a half-opened pair leaves no descriptor behind
        throw;
    }
}

void PseudoTerminal::open() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        Fail("posix_openpt");
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        Fail("grantpt/unlockpt");
    }
    const char* name = ptsname(master_);
    if (name == nullptr) {
        Fail("ptsname");
    }
    device_ = name;
    slave_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        Fail("open " + device_);
    }
    SetTrackerLine(slave_);
}

PseudoTerminal::~PseudoTerminal() {
    close();
}

void PseudoTerminal::link(const std::string& path) {
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            throw std::runtime_error(path +
                                     " exists and is not a symbolic link; it stays as it is");
        }
        ::unlink(path.c_str()); // an old link, from an earlier run
    }
    if (::symlink(device_.c_str(), path.c_str()) != 0) {
        Fail("symlink " + path);
    }
    link_ = path;
}

void PseudoTerminal::handTo(uid_t owner) {
    // The group stays the terminals' own.
    if (::fchown(slave_, owner, static_cast<gid_t>(-1)) != 0) {
        Fail("giving " + device_ + " to user " + std::to_string(owner));
    }
}

void PseudoTerminal::suspendOutput() {
    if (::tcflow(slave_, TCOOFF) != 0) {
        Fail("tcflow " + device_);
    }
}

void PseudoTerminal::resumeOutput() {
    if (::tcflow(slave_, TCOON) != 0) {
        Fail("tcflow " + device_);
    }
}

void PseudoTerminal::close() {
    if (!link_.empty()) {
        ::unlink(link_.c_str());
        link_.clear();
    }
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

} // namespace korvel::sim
