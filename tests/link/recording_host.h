// A transfer host for tests: it records what the worker reports and answers its
// questions the way the test tells it to.
#pragma once

#include <QElapsedTimer>
#include <functional>
#include <vector>

#include "link/transfer_worker.h"
#include "link/write_check.h"

namespace radio::test {

class RecordingHost : public TransferHost {
public:
    explicit RecordingHost(RadioData& record) : m_record(record) {}

    void TransferProgress(int value) override { progress.push_back(value); }
    bool AskRetry(const TransferError& error) override
    {
        errors.push_back(error);
        if (retries <= 0) {
            return false;
        }
        --retries;
        if (beforeRetry) {
            beforeRetry();
        }
        return true;
    }
    bool CheckBeforeWrite(const RadioReport& reported) override
    {
        reports.push_back(reported);
        m_record.radioBandLower = reported.bandLower;
        m_record.radioBandUpper = reported.bandUpper;
        m_record.radioModel = reported.model;
        switch (ClassifyBeforeWrite(m_record)) {
        case WriteCheck::NotReported:
            AdoptDataAsRadio(m_record);
            ApplyRadioIdentity(m_record);
            return true;
        case WriteCheck::Match: ApplyRadioIdentity(m_record); return true;
        case WriteCheck::Mismatch: return writeOnMismatch;
        }
        return false;
    }
    void IdentityNotDecoded(const std::array<std::uint8_t, 8>& identity,
                            const RadioReport& taken) override
    {
        undecoded.push_back(identity);
        lastTaken = taken;
    }
    void ReadSucceeded(const RadioData& received) override
    {
        CommitRead(m_record, received);
        ++reads;
    }
    void WriteSucceeded() override { ++writes; }
    void VerifyStarted() override
    {
        ++verifies;
        progressAtVerify = progress.size();
    }
    void BackupSaved(const BackupResult& result) override
    {
        backups.push_back(result);
        succeededAtBackup = reads + writes;
    }

    std::vector<int> progress;
    std::vector<TransferError> errors;
    std::vector<RadioReport> reports;
    std::vector<std::array<std::uint8_t, 8>> undecoded;  // identities not decoded
    RadioReport lastTaken;                               // what the last of them went on with
    int retries = 0;                                     // how many times to answer Retry
    std::function<void()> beforeRetry;                   // runs before each Retry
    bool writeOnMismatch = false;
    int reads = 0;
    int writes = 0;
    int verifies = 0;
    std::size_t progressAtVerify = 0;  // progress values posted before the verify
    std::vector<BackupResult> backups;
    int succeededAtBackup = -1;  // reads and writes reported before the last backup

private:
    RadioData& m_record;
};

// Runs one whole transfer on the calling thread; returns how long it took in ms.
inline qint64 RunTransfer(CTransferWorker& worker, TransferMode mode)
{
    QElapsedTimer timer;
    timer.start();
    if (worker.SetMode(mode)) {
        worker.Run();
    }
    return timer.elapsed();
}

}  // namespace radio::test
