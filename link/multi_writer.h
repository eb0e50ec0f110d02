// Writes one record into several radios at the same time: a worker, a thread and a
// port each (one transfer per port), each writing its own copy of the record, so
// that a radio's own identity bytes (taken at the check before its write) never reach
// another radio, and nothing on a transfer thread refers to the record it came from.
//
// Both the command-line tool's clone and the desktop program's Write to several
// radios use it. The caller gives each radio the side its transfer thread talks to
// (a TransferHost: progress, failures, the check before the write), and is told how
// each radio ended.
#pragma once

#include <QString>
#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

#include "data/radio_data.h"
#include "link/transfer_worker.h"

namespace radio {

class MultiWriter;

struct MultiWriteResult {
    enum class Outcome {
        Written,
        Verified,    // written, read back and found the same
        NotWritten,  // the check before the write declined it: nothing was sent
        Failed,
    };
    Outcome outcome = Outcome::Failed;
    TransferError error;  // Failed: the last failure
    // With Options::backupFirst: the before-write backup of what the radio held, or
    // why it could not be kept (then nothing was written: NotWritten).
    BackupResult backupFirst;

    bool Succeeded() const { return outcome == Outcome::Written || outcome == Outcome::Verified; }
};

// The caller's side of a MultiWriter.
class MultiWriteHost {
public:
    virtual ~MultiWriteHost() = default;
    // Called once per radio by Start, on the thread that calls Start, before any
    // transfer runs: the side that radio `index`'s transfer thread talks to. `copy` is
    // that radio's own copy of the record; the host's CheckBeforeWrite may adjust it
    // (the identity the radio reports), and it stays valid as long as the writer.
    // Every per-radio difference of what is written belongs here. The host keeps
    // ownership; it must outlive the writer's threads.
    virtual TransferHost& HostFor(std::size_t index, RadioData& copy) = 0;
    // Called on radio `index`'s transfer thread once its transfer has ended, whatever
    // the outcome; the thread ends right after. Calls for different radios may come
    // at the same time.
    virtual void PortEnded(std::size_t index, const MultiWriteResult& result) = 0;
};

class MultiWriter {
public:
    struct Radio {
        int port = 0;    // COMn, 1..10, as the copy's port number
        QString device;  // a device path to use instead of COMn (the command-line tool)
    };
    struct Options {
        bool verify = false;
        QString backupFolder;  // empty: no backups
        // Each radio is read first and what it held kept as a before-write backup in
        // backupFolder; a radio whose read or backup fails is not written.
        bool backupFirst = false;
    };

    // `record` is copied: once for each radio, with that radio's port and the channel
    // masks its data needs, as every write sends them.
    MultiWriter(const RadioData& record, const std::vector<Radio>& radios, const Options& options,
                MultiWriteHost& host);
    // Cancels and waits for every thread. A host call that waits for an answer must
    // have been answered first (FrameTransferHost::Shutdown answers them).
    ~MultiWriter();
    MultiWriter(const MultiWriter&) = delete;
    MultiWriter& operator=(const MultiWriter&) = delete;

    // Starts every radio's transfer at once; once only.
    void Start();
    // From any thread: a radio that has not passed its check before the write yet is
    // not written (NotWritten), and a failed one is not tried again. A write under way
    // runs to its end, so that no radio is left half written.
    void Cancel();
    // Blocks until every transfer has ended. Not from a thread that answers the hosts'
    // questions while one waits for it.
    void Wait();

    std::size_t Count() const { return m_slots.size(); }

private:
    class Slot;

    std::vector<std::unique_ptr<Slot>> m_slots;
    MultiWriteHost& m_host;
    bool m_started = false;
    std::atomic<bool> m_cancelled{false};
};

}  // namespace radio
