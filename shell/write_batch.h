// One batch of writes into several radios at the same time: a worker, a thread and a
// port each, each writing its own copy of the data (the record itself is only read).
// The band and model check asks once per batch: a radio that reports another band or
// model waits until every radio of the batch has reported (or failed before it could),
// then one question names all such ports and its answer holds for all of them. Radios
// that match go on at once. A failed radio is not retried: the batch reports it.
#pragma once

#include <QObject>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "data/radio_data.h"
#include "link/transfer_worker.h"

namespace radio {

class BatchHost;

class WriteBatch : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Written, Verified, Failed, NotWritten };

    struct Options {
        bool verify = false;
        QString backupFolder;  // empty: no backups
    };
    // A radio of the batch that reports another band or model than the data.
    struct Mismatch {
        int port;
        RadioReport reported;
    };
    // Asked on the interface thread, at most once per batch; true writes into them.
    using Question = std::function<bool(const std::vector<Mismatch>& radios)>;

    // `ports`: port numbers 1..10, each at most once.
    WriteBatch(const RadioData& data, const std::vector<int>& ports, const Options& options,
               Question question, QObject* parent = nullptr);
    // Answers every waiting question "no" and waits for the threads.
    ~WriteBatch() override;

    void Start();
    bool Running() const { return m_running > 0; }

    // After portEnded: how the port ended, and why when it failed.
    Outcome OutcomeOf(int port) const;
    const TransferError& ErrorOf(int port) const;
    // The radio did not report its band and model; the data's were taken as its.
    bool BandUnknown(int port) const;

signals:
    void progress(int port, int value);
    void verifying(int port);
    void backupSaved(const BackupResult& result);
    void portEnded(int port);
    void finished();

private:
    friend class BatchHost;
    struct Slot;

    // On a transfer thread: the radio's report is in; true lets the write go on.
    bool Arrive(Slot& slot, const RadioReport& reported, BatchHost& host);
    // On a transfer thread: the radio failed, before its report or after it.
    void Leave(Slot& slot, BatchHost& host);
    // With the gate locked: asks once every radio is accounted for.
    void AskWhenComplete(std::unique_lock<std::mutex>& lock, BatchHost& host);
    void ThreadEnded(Slot& slot);
    Slot& SlotOf(int port) const;

    std::vector<std::unique_ptr<Slot>> m_slots;
    Question m_question;
    bool m_verify;
    int m_running = 0;

    std::mutex m_gate;
    std::condition_variable m_gateChanged;
    std::set<int> m_accounted;  // ports that reported or failed
    std::vector<Mismatch> m_mismatches;
    bool m_asked = false;
    bool m_answered = false;
    bool m_answer = false;
};

}  // namespace radio
