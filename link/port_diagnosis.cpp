#include "link/port_diagnosis.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace radio {

namespace {

bool Contains(const std::vector<unsigned>& list, unsigned value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

constexpr unsigned kOwnerRw = 0600;
constexpr unsigned kGroupRw = 0060;
constexpr unsigned kOtherRw = 0006;

bool Grants(unsigned mode, unsigned bits)
{
    return (mode & bits) == bits;
}

// Services that are known to open USB serial adapters on their own.
struct Service {
    const char* process;
    const char* unit;
};
constexpr Service kServices[] = {
    {"ModemManager", "ModemManager"},
    {"brltty", "brltty"},
    {"gpsd", "gpsd"},
};

// Groups that give their members far more than a serial port: nobody is to be put in
// them, nor a device handed to them, to make a cable work.
constexpr const char* kBroadGroups[] = {"root", "tty",  "wheel",  "sudo",  "adm",
                                        "disk", "kmem", "shadow", "users", "staff"};

// The names a serial group goes by, most common first.
constexpr const char* kSerialGroupNames[] = {"dialout", "uucp"};

// This process and, one by one, the processes that started it up to the first.
std::vector<qint64> OwnLine(const QDir& proc)
{
    std::vector<qint64> line;
    qint64 pid = QCoreApplication::applicationPid();
    // A bound keeps a made-up or changing tree from looping.
    while (pid > 0 && line.size() < 1024 &&
           std::find(line.begin(), line.end(), pid) == line.end()) {
        line.push_back(pid);
        QFile status(proc.filePath(QStringLiteral("%1/status").arg(pid)));
        if (!status.open(QIODevice::ReadOnly)) {
            break;
        }
        qint64 parent = 0;
        for (const QByteArray& entry : status.readAll().split('\n')) {
            if (entry.startsWith("PPid:")) {
                parent = entry.mid(5).trimmed().toLongLong();
            }
        }
        pid = parent;
    }
    return line;
}

#ifdef Q_OS_UNIX
QString GroupName(unsigned gid)
{
    const group* g = ::getgrgid(gid_t(gid));
    return g ? QString::fromLocal8Bit(g->gr_name) : QString::number(gid);
}

QString UserName(unsigned uid)
{
    const passwd* p = ::getpwuid(uid_t(uid));
    return p ? QString::fromLocal8Bit(p->pw_name) : QString::number(uid);
}
#endif

// Where a link in /proc/<pid>/fd points: the path of the open file as the kernel
// names it (already free of symbolic links).
QString LinkTarget(const QString& link)
{
#ifdef Q_OS_UNIX
    char buffer[4096];
    const ssize_t n = ::readlink(QFile::encodeName(link).constData(), buffer, sizeof buffer - 1);
    return n > 0 ? QFile::decodeName(QByteArray(buffer, int(n))) : QString();
#else
    return QFileInfo(link).symLinkTarget();
#endif
}

// Why a device did not open, in words for a person.
QString OpenFailureText(const CSerialPort& port)
{
    switch (port.OpenFailure()) {
    case PortOpenFailure::NotFound: return QStringLiteral("not found");
    case PortOpenFailure::Permission: return QStringLiteral("permission denied");
    case PortOpenFailure::Busy: return QStringLiteral("in use by another program");
    case PortOpenFailure::None:
    case PortOpenFailure::Other: break;
    }
    return port.OpenFailureDetail();
}

}  // namespace

Access JudgeAccess(const DeviceFile& file, const UserGroups& user)
{
    if (user.uid == 0 || Grants(file.mode, kOtherRw)) {
        return Access::Allowed;
    }
    if (file.owner == user.uid && Grants(file.mode, kOwnerRw)) {
        return Access::Allowed;
    }
    if (!Grants(file.mode, kGroupRw)) {
        return Access::OwnerOnly;
    }
    if (Contains(user.sessionGroups, file.group)) {
        return Access::Allowed;
    }
    return Contains(user.accountGroups, file.group) ? Access::GroupNotActive : Access::NotInGroup;
}

bool IsOwnTerminal(const QString& device, const QString& procRoot)
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) != 0 || !S_ISCHR(st.st_mode)) {
        return false;
    }
    for (int fd = 0; fd <= 2; ++fd) {
        struct stat opened {};
        if (::isatty(fd) && ::fstat(fd, &opened) == 0 && opened.st_rdev == st.st_rdev) {
            return true;
        }
    }
    QFile self(procRoot + QStringLiteral("/self/stat"));
    if (!self.open(QIODevice::ReadOnly)) {
        return false;
    }
    // "pid (comm) state ppid pgrp session tty_nr ...": the name may hold anything, so
    // the fields are counted from its closing parenthesis.
    const QByteArray line = self.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 1).simplified().split(' ');
    if (fields.size() < 5) {
        return false;
    }
    const unsigned long tty = fields.at(4).toULong();
    if (tty == 0) {
        return false;  // no controlling terminal
    }
    const unsigned long ttyMajor = (tty >> 8) & 0xfff;
    const unsigned long ttyMinor = (tty & 0xff) | ((tty >> 12) & 0xfff00);
    return major(st.st_rdev) == ttyMajor && minor(st.st_rdev) == ttyMinor;
#else
    Q_UNUSED(device);
    Q_UNUSED(procRoot);
    return false;
#endif
}

DeviceFile StatDevice(const QString& device)
{
    DeviceFile file;
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) != 0) {
        return file;
    }
    file.exists = true;
    file.owner = st.st_uid;
    file.group = st.st_gid;
    file.mode = st.st_mode & 0777;
    file.ownerName = UserName(file.owner);
    file.groupName = GroupName(file.group);
#else
    file.exists = QFileInfo::exists(device);
#endif
    return file;
}

UserGroups CurrentUser()
{
    UserGroups user;
#ifdef Q_OS_UNIX
    user.uid = ::getuid();
    user.sessionGroups.push_back(::getgid());
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(std::size_t(count), 0);
        const int got = ::getgroups(count, groups.data());
        for (int i = 0; i < got; ++i) {
            user.sessionGroups.push_back(groups[std::size_t(i)]);
        }
    }
    // The account's groups as a new login would get them (/etc/group and the like).
    if (const passwd* p = ::getpwuid(::getuid())) {
        int n = 64;
        std::vector<gid_t> groups(std::size_t(n), 0);
        if (::getgrouplist(p->pw_name, p->pw_gid, groups.data(), &n) < 0) {
            groups.resize(std::size_t(n));
            ::getgrouplist(p->pw_name, p->pw_gid, groups.data(), &n);
        }
        for (int i = 0; i < n && i < int(groups.size()); ++i) {
            user.accountGroups.push_back(groups[std::size_t(i)]);
        }
    }
#endif
    return user;
}

HolderSearch FindHolders(const QString& device, const QString& procRoot)
{
    HolderSearch search;
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty()) {
        return search;
    }
    const QDir proc(procRoot);
    const std::vector<qint64> own = OwnLine(proc);
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid) {
            continue;
        }
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        if (!fds.exists()) {
            continue;  // the process has ended meanwhile
        }
        if (!fds.isReadable()) {
            search.complete = false;
            continue;
        }
        const QStringList links =
            fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        const bool holds = std::any_of(links.begin(), links.end(), [&](const QString& link) {
            return LinkTarget(fds.filePath(link)) == target;
        });
        if (!holds) {
            continue;
        }
        PortHolder holder;
        holder.pid = pid;
        QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly)) {
            holder.name = QString::fromLocal8Bit(comm.readAll()).trimmed();
        }
        if (holder.name.isEmpty()) {
            holder.name = QStringLiteral("?");
        }
        holder.uid = QFileInfo(proc.filePath(entry)).ownerId();
        holder.own = std::find(own.begin(), own.end(), pid) != own.end();
        search.holders.push_back(holder);
    }
    std::sort(search.holders.begin(), search.holders.end(),
              [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
    return search;
}

QString ReleaseCommand(const PortHolder& holder, unsigned uid)
{
    if (holder.own) {
        return QString();
    }
    for (const Service& service : kServices) {
        if (holder.name == QLatin1String(service.process)) {
            return QStringLiteral("sudo systemctl stop %1").arg(QLatin1String(service.unit));
        }
    }
    const QString kill = QStringLiteral("kill %1").arg(holder.pid);
    return holder.uid == uid || uid == 0 ? kill : QStringLiteral("sudo ") + kill;
}

QString ShellQuoted(const QString& word)
{
    // No '=' first: zsh would put a program's path in its place.
    static const QRegularExpression plain(
        QStringLiteral("^[A-Za-z0-9_@%+:,./-][A-Za-z0-9_@%+=:,./-]*$"));
    QString quoted = word;
    if (quoted.startsWith(QLatin1Char('-'))) {
        quoted.prepend(QStringLiteral("./"));
    }
    if (plain.match(quoted).hasMatch()) {
        return quoted;
    }
    // Inside single quotes nothing is special but the quote itself: each one closes
    // the quoted part, comes as \' and opens the next part.
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool IsSerialGroup(unsigned gid, const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[a-z_][a-z0-9_-]*$"));
    if (gid == 0 || !plain.match(name).hasMatch()) {
        return false;
    }
    return std::none_of(std::begin(kBroadGroups), std::end(kBroadGroups),
                        [&name](const char* broad) { return name == QLatin1String(broad); });
}

SerialGroup SystemSerialGroup()
{
    SerialGroup serial;
    serial.name = QLatin1String(kSerialGroupNames[0]);
#ifdef Q_OS_UNIX
    for (const char* name : kSerialGroupNames) {
        if (const group* g = ::getgrnam(name)) {
            serial.name = QLatin1String(name);
            serial.known = true;
            serial.id = unsigned(g->gr_gid);
            break;
        }
    }
#endif
    return serial;
}

bool PortDiagnosis::Ready() const
{
    return !ownTerminal && file.exists && access == Access::Allowed && holders.holders.empty() &&
           line != LineCheck::Fails && line != LineCheck::SettingsRefused;
}

PortDiagnosis DiagnosePort(const QString& device, const DiagnosisOptions& options)
{
    PortDiagnosis d;
    d.device = device;
    d.file = StatDevice(device);
    if (!d.file.exists) {
        return d;
    }
    d.user = CurrentUser();
    d.serialGroup = SystemSerialGroup();
    d.ownTerminal = IsOwnTerminal(device, options.procRoot);
    if (d.ownTerminal) {
        // Opening it would set the line of the terminal the user is typing in, and
        // what holds it is the user's own session.
        return d;
    }
    d.access = JudgeAccess(d.file, d.user);
#ifdef Q_OS_UNIX
    // An access list (as a desktop login gives the user at the console) may allow
    // what the permission bits do not.
    if (d.access != Access::Allowed &&
        ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0) {
        d.access = Access::Allowed;
    }
#endif
    d.holders = FindHolders(device, options.procRoot);
    if (options.tryOpen) {
        CSerialPort port;
        if (!port.Open(device)) {
            d.line = LineCheck::Fails;
            d.openFailure = port.OpenFailure();
            d.lineDetail = OpenFailureText(port);
        } else {
            d.lineDetail = port.LineSettingsProblem();
            d.line = d.lineDetail.isEmpty() ? LineCheck::Opens : LineCheck::SettingsRefused;
            port.Close();
        }
    }
    return d;
}

}  // namespace radio
