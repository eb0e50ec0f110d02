#include "link/port_diagnosis_text.h"

#include <QStringList>
#include <algorithm>

#include "data/language_table.h"

namespace radio {

namespace {

bool Contains(const std::vector<unsigned>& list, unsigned value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The commands that let this user open the device for good: the device goes to a
// group that is there for serial ports (its own when it is one) with read and write
// for that group, and the user joins that group. A new membership needs a new login.
QString PermissionFix(const PortDiagnosis& d, const TextLookup& text)
{
    const bool ownGroupServes = IsSerialGroup(d.file.group, d.file.groupName);
    const QString group = ownGroupServes ? d.file.groupName : d.serialGroup.name;
    const bool groupKnown = ownGroupServes || d.serialGroup.known;
    const unsigned gid = ownGroupServes ? d.file.group : d.serialGroup.id;
    const QString device = ShellQuoted(d.device);

    QStringList commands;
    if (!ownGroupServes) {
        commands << QStringLiteral("sudo chgrp %1 %2").arg(group, device);
    }
    if (!ownGroupServes || (d.file.mode & 0060) != 0060) {
        commands << QStringLiteral("sudo chmod g+rw %1").arg(device);
    }
    bool relogin = false;
    if (!groupKnown || !Contains(d.user.sessionGroups, gid)) {
        relogin = true;
        if (!groupKnown || !Contains(d.user.accountGroups, gid)) {
            commands << QStringLiteral("sudo usermod -aG %1 $USER").arg(group);
        }
    }
    const QString fix = commands.join(QStringLiteral(" && "));
    return relogin ? text(text::PortRelogin).arg(fix) : fix;
}

QString AccessText(const PortDiagnosis& d, const TextLookup& text)
{
    const QString mode = QStringLiteral("%1").arg(d.file.mode, 4, 8, QLatin1Char('0'));
    if (d.access == Access::Allowed) {
        return text(text::PortMayOpen);
    }
    if (d.access == Access::OwnerOnly) {
        return text(text::PortOwnerOnly).arg(d.file.ownerName, mode, PermissionFix(d, text));
    }
    // The group may open it, but it is not one to put a user in for a port.
    if (!IsSerialGroup(d.file.group, d.file.groupName)) {
        return text(text::PortBroadGroup).arg(d.file.groupName, PermissionFix(d, text));
    }
    if (d.access == Access::NotInGroup) {
        return text(text::PortNotInGroup).arg(d.file.groupName);
    }
    return text(text::PortGroupNotActive).arg(d.file.groupName);
}

QString Names(const std::vector<PortHolder>& holders, const TextLookup& text)
{
    QStringList who;
    for (const PortHolder& holder : holders) {
        who << text(text::PortHolder).arg(holder.name).arg(holder.pid);
    }
    return who.join(QStringLiteral(", "));
}

QString HolderText(const PortDiagnosis& d, const TextLookup& text)
{
    const auto& holders = d.holders.holders;
    if (holders.empty()) {
        // A device that is busy although no holder can be seen is held by a process
        // this user may not look into.
        if (d.openFailure == PortOpenFailure::Busy && !d.holders.complete) {
            return text(text::PortHeldUnseen).arg(ShellQuoted(d.device));
        }
        return text(text::PortNotHeld);
    }
    std::vector<PortHolder> others;
    std::vector<PortHolder> own;
    QStringList fixes;
    for (const PortHolder& holder : holders) {
        (holder.own ? own : others).push_back(holder);
        const QString fix = ReleaseCommand(holder, d.user.uid);
        if (!fix.isEmpty() && !fixes.contains(fix)) {
            fixes << fix;
        }
    }
    QStringList parts;
    if (!others.empty()) {
        parts << text(text::PortHeld).arg(Names(others, text), fixes.join(QStringLiteral(" && ")));
    }
    if (!own.empty()) {
        parts << text(text::PortHeldByOwn).arg(Names(own, text));
    }
    return parts.join(QStringLiteral("; "));
}

QString LineText(const PortDiagnosis& d, const TextLookup& text)
{
    switch (d.line) {
    case LineCheck::NotTried: return QString();
    case LineCheck::Opens: return text(text::PortOpens);
    case LineCheck::SettingsRefused: return text(text::PortSettingsRefused).arg(d.lineDetail);
    case LineCheck::Fails: return text(text::PortOpenFails).arg(d.lineDetail);
    }
    return QString();
}

}  // namespace

QString DiagnosisText(const PortDiagnosis& diagnosis, const TextLookup& text)
{
    if (!diagnosis.file.exists) {
        return text(text::PortMissing).arg(diagnosis.device);
    }
    if (diagnosis.ownTerminal) {
        return text(text::PortOwnTerminal).arg(diagnosis.device);
    }
    QStringList parts{AccessText(diagnosis, text), HolderText(diagnosis, text)};
    const QString line = LineText(diagnosis, text);
    if (!line.isEmpty()) {
        parts << line;
    }
    return parts.join(QStringLiteral("; "));
}

}  // namespace radio
