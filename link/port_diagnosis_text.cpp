#include "link/port_diagnosis_text.h"

#include <QStringList>

#include "data/language_table.h"

namespace radio {

namespace {

QString AccessText(const PortDiagnosis& d, const TextLookup& text)
{
    switch (d.access) {
    case Access::Allowed: return text(text::PortMayOpen);
    case Access::NotInGroup: return text(text::PortNotInGroup).arg(d.file.groupName);
    case Access::GroupNotActive: return text(text::PortGroupNotActive).arg(d.file.groupName);
    case Access::OwnerOnly:
        return text(text::PortOwnerOnly)
            .arg(d.file.ownerName, QStringLiteral("%1").arg(d.file.mode, 4, 8, QLatin1Char('0')),
                 d.device);
    }
    return QString();
}

QString HolderText(const PortDiagnosis& d, const TextLookup& text)
{
    const auto& holders = d.holders.holders;
    if (holders.empty()) {
        // A device that is busy although no holder can be seen is held by a process
        // this user may not look into.
        if (d.openFailure == PortOpenFailure::Busy && !d.holders.complete) {
            return text(text::PortHeldUnseen).arg(d.device);
        }
        return text(text::PortNotHeld);
    }
    QStringList who;
    QStringList fixes;
    for (const PortHolder& holder : holders) {
        who << text(text::PortHolder).arg(holder.name).arg(holder.pid);
        const QString fix = ReleaseCommand(holder, d.user.uid);
        if (!fixes.contains(fix)) {
            fixes << fix;
        }
    }
    return text(text::PortHeld)
        .arg(who.join(QStringLiteral(", ")), fixes.join(QStringLiteral(" && ")));
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
    QStringList parts{AccessText(diagnosis, text), HolderText(diagnosis, text)};
    const QString line = LineText(diagnosis, text);
    if (!line.isEmpty()) {
        parts << line;
    }
    return parts.join(QStringLiteral("; "));
}

}  // namespace radio
