// The soak run's side of a transfer: it keeps the one record the run reads into and
// writes from, answers the check before a write as the command-line tool does, never
// asks for a Retry, and keeps only what the last transfer reported.
#pragma once

#include <vector>

#include "link/transfer_worker.h"
#include "link/write_check.h"

namespace radio::soak {

class SoakHost : public TransferHost {
public:
    explicit SoakHost(RadioData& record) : m_record(record) {}

    void Reset()
    {
        errors.clear();
        lastProgress = -1;
        reads = 0;
        writes = 0;
        verifies = 0;
        declined = false;
    }

    void TransferProgress(int value) override { lastProgress = value; }
    bool AskRetry(const TransferError& error) override
    {
        errors.push_back(error);
        return false;
    }
    bool CheckBeforeWrite(const RadioReport& reported) override
    {
        declined = TakeRadioReport(m_record, reported) == WriteCheck::Mismatch;
        return !declined;
    }
    void ReadSucceeded(const RadioData& received) override
    {
        CommitRead(m_record, received);
        ++reads;
    }
    void WriteSucceeded() override { ++writes; }
    void VerifyStarted() override { ++verifies; }

    std::vector<TransferError> errors;
    int lastProgress = -1;
    int reads = 0;
    int writes = 0;
    int verifies = 0;
    bool declined = false;

private:
    RadioData& m_record;
};

}  // namespace radio::soak
