// The codes the radios of the next batch get in Write to several radios: Code 1 and
// Code 2, each counted up from its own start in the order of the ports. A radio whose
// write failed keeps the code it was given for the next try on its port, so that no
// code is skipped or given twice; the start moves past every new code a batch gave.
#pragma once

#include <QString>
#include <map>
#include <set>
#include <vector>

#include "config/fleet_codes.h"

namespace radio {

class BatchCodes {
public:
    struct Codes {
        QString code1;  // null: the data's own
        QString code2;
        bool kept = false;  // held from a try that failed
    };
    using Plan = std::map<int, Codes>;  // by port

    // Where the new codes of Code 1 (which 0) or Code 2 (which 1) start; empty: the
    // radios get the data's own code.
    void SetStart(int which, const QString& start) { m_start[which] = start; }
    const QString& Start(int which) const { return m_start[which]; }

    // The codes `ports` would get. None, or why a start cannot give them; then
    // `which` says whose start.
    CodeStartError PlanFor(const std::vector<int>& ports, Plan& plan, int& which) const;
    // The batch of `plan` has ended: the ports `written` give up their codes, the
    // others keep theirs, and each start moves past the new codes the plan gave.
    void Finished(const Plan& plan, const std::set<int>& written);

private:
    QString m_start[2];
    std::map<int, Codes> m_kept;  // by port
};

}  // namespace radio
