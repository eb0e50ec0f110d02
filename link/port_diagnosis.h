// Why a serial device may not serve as the programming cable's port, found out as a
// person at a terminal would: whether this user may open the device (its owner, group
// and mode against the user's groups), which process holds it open (the links in
// /proc/<pid>/fd), and whether it opens at 9600 baud 8N2.
#pragma once

#include <QString>
#include <vector>

#include "link/serial_port.h"

namespace radio {

// The device file's owner, group and permission bits.
struct DeviceFile {
    bool exists = false;
    unsigned owner = 0;
    unsigned group = 0;
    unsigned mode = 0;  // the permission bits, such as 0660
    QString ownerName;
    QString groupName;  // "dialout" on Debian, "uucp" on Arch
};

// Who the program runs as.
struct UserGroups {
    unsigned uid = 0;
    // The groups this process has: those of the login it was started from.
    std::vector<unsigned> sessionGroups;
    // The groups the account is in now; a new login gets them.
    std::vector<unsigned> accountGroups;
};

enum class Access {
    Allowed,         // this user may read and write the device
    NotInGroup,      // the device's group may, and the user is not in that group
    GroupNotActive,  // the user was added to the group, but this login has not got it
    OwnerOnly,       // neither the group nor others may: only the owner (and root)
};

// Judges by the permission bits alone; root may always.
Access JudgeAccess(const DeviceFile& file, const UserGroups& user);

DeviceFile StatDevice(const QString& device);
UserGroups CurrentUser();

// A process that has the device open.
struct PortHolder {
    qint64 pid = 0;
    QString name;      // its command name (/proc/<pid>/comm)
    unsigned uid = 0;  // who runs it
};

struct HolderSearch {
    std::vector<PortHolder> holders;
    // False when the open files of some process could not be looked at (those of
    // other users, for anyone but root).
    bool complete = true;
};

// The processes with `device` open, by the links /<procRoot>/<pid>/fd/<n>; symbolic
// links to the device (such as /dev/serial/by-id/...) count as the device.
HolderSearch FindHolders(const QString& device, const QString& procRoot = QStringLiteral("/proc"));

// The command that makes a holder let go: services known to grab USB serial adapters
// are stopped; any other process is ended.
QString ReleaseCommand(const PortHolder& holder, unsigned uid);

enum class LineCheck {
    NotTried,
    Opens,            // it opens and keeps 9600 8N2
    SettingsRefused,  // it opens but does not keep them
    Fails,            // it does not open
};

struct PortDiagnosis {
    QString device;
    DeviceFile file;
    UserGroups user;
    Access access = Access::Allowed;
    HolderSearch holders;
    LineCheck line = LineCheck::NotTried;
    PortOpenFailure openFailure = PortOpenFailure::None;  // why it did not open
    QString lineDetail;  // why it failed, or what it reports instead of 9600 8N2

    // Nothing stands in the way of a transfer.
    bool Ready() const;
};

struct DiagnosisOptions {
    QString procRoot = QStringLiteral("/proc");
    bool tryOpen = true;  // open the device to check the line settings
};

PortDiagnosis DiagnosePort(const QString& device, const DiagnosisOptions& options = {});

}  // namespace radio
