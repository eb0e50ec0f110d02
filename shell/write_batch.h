// One batch of writes into several radios at the same time, for the desktop program:
// the multi-radio writer runs them (a worker, a thread, a port and a copy of the data
// each; the record itself is only read), and this forwards what each radio does to
// the interface thread. The band and model check asks once per batch: a radio that
// reports another band or model waits until every radio of the batch has reported
// (or failed before it could), then one question names all such ports and its
// answer holds for all of them. Radios that match go on at once. A failed radio is
// not retried: the batch reports it. Each radio may get codes of its own, and with a
// job log each radio's row is appended on its transfer thread as it ends.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "data/radio_data.h"
#include "link/job_log.h"
#include "link/multi_writer.h"
#include "shell/batch_codes.h"

namespace radio {

class WriteBatch : public QObject, private MultiWriteHost {
    Q_OBJECT
public:
    using Outcome = MultiWriteResult::Outcome;
    using Options = MultiWriter::Options;

    // A radio of the batch that reports another band or model than the data.
    struct Mismatch {
        int port;
        RadioReport reported;
    };
    // Asked on the interface thread, at most once per batch; true writes into them.
    using Question = std::function<bool(const std::vector<Mismatch>& radios)>;

    // What the batch gives each radio besides the data, and where it logs them.
    struct Job {
        BatchCodes::Plan codes;       // by port; a port without codes keeps the data's
        std::shared_ptr<JobLog> log;  // none: no job log
        QString dataFile;
        QString dataSha256;
        std::map<int, QString> devices;         // by port, for the log
        std::map<int, QString> adapterSerials;  // by port, for the log
        // The result column of a radio's row, on its transfer thread; `stopped`: the
        // batch was stopped before the radio began its write.
        std::function<QString(const MultiWriteResult& result, bool stopped)> resultText;
    };

    // `ports`: port numbers 1..10, each at most once.
    WriteBatch(const RadioData& data, const std::vector<int>& ports, const Options& options,
               Question question, Job job = {}, QObject* parent = nullptr);
    // Answers every waiting question "no" and waits for the threads.
    ~WriteBatch() override;

    void Start();
    bool Running() const { return m_running > 0; }
    // Radios that have not begun their write are not written; writes under way end.
    void Stop();
    bool Stopped() const { return m_stopped; }

    // After portEnded: how the port ended, and why when it failed.
    Outcome OutcomeOf(int port) const;
    const TransferError& ErrorOf(int port) const;
    // The radio did not report its band and model; the data's were taken as its.
    bool BandUnknown(int port) const;
    // With a job log: the port's row, and whether it was appended.
    const JobLogRow& LogRowOf(int port) const;
    const FileResult& LogResultOf(int port) const;

signals:
    void progress(int port, int value);
    void verifying(int port);
    void backupSaved(const BackupResult& result);
    void portEnded(int port);
    void finished();

private:
    class PortHost;
    struct Slot;

    TransferHost& HostFor(std::size_t index, RadioData& copy) override;
    void PortEnded(std::size_t index, const MultiWriteResult& result) override;

    // On a transfer thread: the radio's report is in; true lets the write go on.
    bool Arrive(Slot& slot, const RadioReport& reported, PortHost& host);
    // On a transfer thread: the radio failed, before its report or after it.
    void Leave(Slot& slot, PortHost& host);
    // With the gate locked: asks once every radio is accounted for.
    void AskWhenComplete(std::unique_lock<std::mutex>& lock, PortHost& host);
    const Slot& SlotOf(int port) const;

    std::vector<std::unique_ptr<Slot>> m_slots;
    Question m_question;
    Job m_job;
    int m_running = 0;
    std::atomic<bool> m_stopped{false};

    std::mutex m_gate;
    std::condition_variable m_gateChanged;
    std::set<int> m_accounted;  // ports that reported or failed
    std::vector<Mismatch> m_mismatches;
    bool m_asked = false;
    bool m_answered = false;
    bool m_answer = false;

    std::unique_ptr<MultiWriter> m_writer;
};

}  // namespace radio
