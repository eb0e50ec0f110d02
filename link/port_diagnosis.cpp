#include "link/port_diagnosis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
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
        search.holders.push_back(holder);
    }
    std::sort(search.holders.begin(), search.holders.end(),
              [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
    return search;
}

QString ReleaseCommand(const PortHolder& holder, unsigned uid)
{
    for (const Service& service : kServices) {
        if (holder.name == QLatin1String(service.process)) {
            return QStringLiteral("sudo systemctl stop %1").arg(QLatin1String(service.unit));
        }
    }
    const QString kill = QStringLiteral("kill %1").arg(holder.pid);
    return holder.uid == uid || uid == 0 ? kill : QStringLiteral("sudo ") + kill;
}

bool PortDiagnosis::Ready() const
{
    return file.exists && access == Access::Allowed && holders.holders.empty() &&
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
