#include "link/multi_writer.h"

namespace radio {

// One radio: its copy, worker and thread, and the side between its worker and the
// caller's host that keeps how the transfer went. Its result is written on the
// radio's transfer thread only.
class MultiWriter::Slot : public TransferHost {
public:
    Slot(std::size_t index, const std::atomic<bool>& cancelled)
        : m_index(index), m_cancelled(cancelled)
    {
    }

    void TransferProgress(int value) override { m_inner->TransferProgress(value); }

    bool AskRetry(const TransferError& error) override
    {
        m_result.outcome = MultiWriteResult::Outcome::Failed;
        m_result.error = error;
        return !m_cancelled && m_inner->AskRetry(error) && !m_cancelled;
    }

    bool CheckBeforeWrite(const RadioReport& reported) override
    {
        const bool goOn = !m_cancelled && m_inner->CheckBeforeWrite(reported) && !m_cancelled;
        if (!goOn) {
            m_result.outcome = MultiWriteResult::Outcome::NotWritten;
        }
        return goOn;
    }

    void IdentityNotDecoded(const std::array<std::uint8_t, 8>& identity,
                            const RadioReport& taken) override
    {
        m_inner->IdentityNotDecoded(identity, taken);
    }

    // Only the read before the write reads: what it received is kept as the backup
    // and must not become what is written.
    void ReadSucceeded(const RadioData&) override { m_readDone = true; }

    void WriteSucceeded() override
    {
        m_result.outcome =
            m_verify ? MultiWriteResult::Outcome::Verified : MultiWriteResult::Outcome::Written;
        m_inner->WriteSucceeded();
    }

    void VerifyStarted() override { m_inner->VerifyStarted(); }
    void BackupSaved(const BackupResult& result) override
    {
        if (m_reading) {
            m_result.backupFirst = result;
        } else {
            m_inner->BackupSaved(result);
        }
    }

    // On the radio's thread: the read before the write when asked for, then the write.
    void Run()
    {
        if (m_backupFirst) {
            m_reading = true;
            m_worker.SetReadBackupKind(BackupKind::BeforeWrite);
            m_worker.Init(this, m_copy);
            m_worker.SetMode(TransferMode::Read);
            m_worker.Run();
            m_reading = false;
            if (!m_readDone) {
                return;  // AskRetry has kept the failure
            }
            if (!m_result.backupFirst.ok || m_cancelled) {
                m_result.outcome = MultiWriteResult::Outcome::NotWritten;
                return;
            }
            m_worker.Init(this, m_copy);
        }
        m_worker.SetMode(TransferMode::Write);
        m_worker.Run();
    }

    std::size_t m_index;
    const std::atomic<bool>& m_cancelled;
    bool m_verify = false;
    bool m_backupFirst = false;
    bool m_reading = false;
    bool m_readDone = false;
    RadioData m_copy;
    TransferHost* m_inner = nullptr;
    MultiWriteResult m_result;
    CTransferWorker m_worker;
    std::unique_ptr<QThread> m_thread;
};

MultiWriter::MultiWriter(const RadioData& record, const std::vector<Radio>& radios,
                         const Options& options, MultiWriteHost& host)
    : m_host(host)
{
    for (const Radio& radio : radios) {
        auto slot = std::make_unique<Slot>(m_slots.size(), m_cancelled);
        slot->m_verify = options.verify;
        slot->m_backupFirst = options.backupFirst && !options.backupFolder.isEmpty();
        slot->m_copy = record;
        slot->m_copy.port = radio.port;
        slot->m_copy.UpdateChannelMasks();
        slot->m_worker.SetDeviceOverride(radio.device);
        slot->m_worker.SetVerify(options.verify);
        slot->m_worker.SetBackupFolder(options.backupFolder);
        m_slots.push_back(std::move(slot));
    }
}

MultiWriter::~MultiWriter()
{
    Cancel();
    Wait();
}

void MultiWriter::Start()
{
    if (m_started) {
        return;
    }
    m_started = true;
    for (const auto& slot : m_slots) {
        slot->m_inner = &m_host.HostFor(slot->m_index, slot->m_copy);
        slot->m_worker.Init(slot.get(), slot->m_copy);
        Slot* s = slot.get();
        slot->m_thread.reset(QThread::create([s] { s->Run(); }));
        // Emitted on the transfer thread itself, once the worker has returned.
        QObject::connect(
            s->m_thread.get(), &QThread::finished, s->m_thread.get(),
            [this, s] { m_host.PortEnded(s->m_index, s->m_result); }, Qt::DirectConnection);
    }
    for (const auto& slot : m_slots) {
        slot->m_thread->start();
    }
}

void MultiWriter::Cancel()
{
    m_cancelled = true;
}

void MultiWriter::Wait()
{
    for (const auto& slot : m_slots) {
        if (slot->m_thread) {
            slot->m_thread->wait();
        }
    }
}

}  // namespace radio
