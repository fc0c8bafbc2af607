#pragma once

#include <QString>

namespace korvel {

// Whether this user may open a serial device for reading and writing, and if
// not, why and what fixes it.
struct PortAccess {
    bool mayOpen = false;
    QString problem; // "only members of the group 'dialout' may open it"
    QString fix;     // "sudo usermod -aG dialout $USER, then log out and in again"
};

// What decides the advice, gathered from the device and the user's groups.
struct AccessFacts {
    QString device;
    int error = 0; // errno of the read-write access check; 0 when it passed
    QString owner;
    QString group;
    QString mode; // "crw-rw----"
    bool ownerMayReadWrite = false;
    bool groupMayReadWrite = false;
    bool groupIsRoot = false;       // joining it would make the user an administrator
    bool userListedInGroup = false; // the group database names the user
    bool loginHasGroup = false;     // this login already carries the group
    bool groupIsSystems = false;    // one of the system's own groups, not a serial one
};

// Checks the device on this system.
PortAccess CheckPortAccess(const QString& device);

// The advice for `facts`: a group to join, a login to renew, or a grant for a
// device that no group may use. Never joining the administrators' group.
PortAccess AdviseAccess(const AccessFacts& facts);

} // namespace korvel
