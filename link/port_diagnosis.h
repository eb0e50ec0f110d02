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

// Whether `device` is the terminal this process runs in: the one its standard input,
// output or error is, or its controlling terminal (/<procRoot>/self/stat, field 7).
bool IsOwnTerminal(const QString& device, const QString& procRoot = QStringLiteral("/proc"));
UserGroups CurrentUser();

// A process that has the device open.
struct PortHolder {
    qint64 pid = 0;
    QString name;      // its command name (/proc/<pid>/comm)
    unsigned uid = 0;  // who runs it
    // This process or one of those that started it (its shell, the script that runs
    // it): ending it would end the check itself, so no command ever suggests that.
    bool own = false;
};

struct HolderSearch {
    std::vector<PortHolder> holders;
    // False when the open files of some process could not be looked at (those of
    // other users, for anyone but root).
    bool complete = true;
};

// The processes with `device` open, by the links /<procRoot>/<pid>/fd/<n>; symbolic
// links to the device (such as /dev/serial/by-id/...) count as the device. Those on
// the line from this process up through its parents (/<procRoot>/<pid>/status,
// "PPid:") are marked as its own.
HolderSearch FindHolders(const QString& device, const QString& procRoot = QStringLiteral("/proc"));

// The command that makes a holder let go: services known to grab USB serial adapters
// are stopped; any other process is ended. Empty for a holder of our own.
QString ReleaseCommand(const PortHolder& holder, unsigned uid);

// `word` as a POSIX shell takes it as one word, so that a suggested command pasted
// into a terminal does what it says and nothing else: plain words stay as they are,
// anything else goes in single quotes; a leading '-' is kept from reading as an option.
QString ShellQuoted(const QString& word);

// The group to give a serial device and its user. A device's own group serves when it
// is there for such devices; root, tty and the other groups that give far more than a
// port (or a name that would need quoting) never do, and then it is this system's
// serial group: dialout, or uucp where that is its name.
struct SerialGroup {
    QString name;
    bool known = false;  // the group exists here, with this id
    unsigned id = 0;
};
bool IsSerialGroup(unsigned gid, const QString& name);
SerialGroup SystemSerialGroup();

enum class LineCheck {
    NotTried,
    Opens,            // it opens and keeps 9600 8N2
    SettingsRefused,  // it opens but does not keep them
    Fails,            // it does not open
};

struct PortDiagnosis {
    QString device;
    // The device is the terminal this program runs in (its standard input, output or
    // error, or its controlling terminal): no cable, and not opened to check it.
    bool ownTerminal = false;
    DeviceFile file;
    UserGroups user;
    Access access = Access::Allowed;
    SerialGroup
        serialGroup;  // what a permission fix hands over when the device's group will not do
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
