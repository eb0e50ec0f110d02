// The command-line tool's side of a transfer: progress on standard error (a bar on a
// terminal, one line per step otherwise, once the port is open), a fixed number of
// repeats instead of the Retry question, and the check before a write answered from
// the --force switch. The worker calls it on the transfer thread while the main
// thread waits for that thread, so the record is never touched by two threads at
// once. With a label (one of several radios at once) it shows no progress and starts
// each of its lines with the label.
#pragma once

#include <QString>
#include <cstdio>

#include "link/transfer_worker.h"

namespace radio::cli {

class CliHost : public TransferHost {
public:
    CliHost(RadioData& record, int retries, bool force, std::FILE* out,
            const QString& label = QString());

    void TransferProgress(int value) override;
    bool AskRetry(const TransferError& error) override;
    bool CheckBeforeWrite(const RadioReport& reported) override;
    void IdentityNotDecoded(const std::array<std::uint8_t, 8>& identity,
                            const RadioReport& taken) override;
    void ReadSucceeded(const RadioData& received) override;
    void WriteSucceeded() override;
    void VerifyStarted() override;
    void BackupSaved(const BackupResult& result) override;

    // The transfer's outcome, once the worker's Run has returned.
    bool Succeeded() const { return m_succeeded; }
    // Why it did not succeed: the last failure, or the refused check.
    const QString& Failure() const { return m_failure; }
    // The backup of the last transfer (not ok when none was saved).
    const BackupResult& LastBackup() const { return m_backup; }
    // A backup that cannot be saved is the caller's failure to tell, not a warning.
    void BackupIsRequired() { m_backupRequired = true; }

private:
    void EndProgressLine();
    // "radioprog-cli: [label: ]message" on its own line.
    void Say(const QString& message);

    RadioData& m_record;
    int m_retriesLeft;
    int m_attempt = 1;
    bool m_force;
    std::FILE* m_out;
    QString m_label;
    bool m_terminal;
    bool m_barShown = false;
    int m_lastShown = -1;
    bool m_started = false;  // the first step of this attempt has come
    bool m_succeeded = false;
    QString m_failure;
    BackupResult m_backup;
    bool m_backupRequired = false;
};

}  // namespace radio::cli
