#include "shell/batch_codes.h"

namespace radio {

namespace {

QString& CodeOf(BatchCodes::Codes& codes, int which)
{
    return which == 0 ? codes.code1 : codes.code2;
}

const QString& CodeOf(const BatchCodes::Codes& codes, int which)
{
    return which == 0 ? codes.code1 : codes.code2;
}

}  // namespace

CodeStartError BatchCodes::PlanFor(const std::vector<int>& ports, Plan& plan, int& which) const
{
    plan.clear();
    Plan planned;
    for (int port : ports) {
        planned[port] = {};
    }
    for (which = 0; which < 2; ++which) {
        if (m_start[which].isEmpty()) {
            continue;
        }
        std::vector<int> fresh;  // ports that get a new code, in order
        for (int port : ports) {
            const auto kept = m_kept.find(port);
            if (kept != m_kept.end() && !CodeOf(kept->second, which).isNull()) {
                CodeOf(planned[port], which) = CodeOf(kept->second, which);
                planned[port].kept = true;
            } else {
                fresh.push_back(port);
            }
        }
        QStringList codes;
        const CodeStartError error = CountCodes(m_start[which], int(fresh.size()), codes);
        if (error != CodeStartError::None && !fresh.empty()) {
            return error;
        }
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            CodeOf(planned[fresh[i]], which) = codes.at(qsizetype(i));
        }
    }
    plan = planned;
    return CodeStartError::None;
}

void BatchCodes::Finished(const Plan& plan, const std::set<int>& written)
{
    for (int which = 0; which < 2; ++which) {
        QString last;  // the last new code given
        for (const auto& [port, codes] : plan) {
            const QString& code = CodeOf(codes, which);
            const auto kept = m_kept.find(port);
            const bool wasKept = kept != m_kept.end() && CodeOf(kept->second, which) == code;
            if (!code.isNull() && !wasKept) {
                last = code;  // the plan is by port, and new codes count up with the ports
            }
        }
        if (!last.isNull()) {
            m_start[which] = CodeAfter(last);
        }
    }
    for (const auto& [port, codes] : plan) {
        if (written.count(port)) {
            m_kept.erase(port);
        } else if (!codes.code1.isNull() || !codes.code2.isNull()) {
            m_kept[port] = codes;
        }
    }
}

}  // namespace radio
