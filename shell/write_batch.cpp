#include "shell/write_batch.h"

#include "link/write_check.h"
#include "shell/batch_host.h"

namespace radio {

struct WriteBatch::Slot {
    int port = 0;
    RadioData record;  // this radio's own copy of the data
    std::unique_ptr<BatchHost> host;
    CTransferWorker worker;
    std::unique_ptr<CTestThread> thread;
    // Set on the interface thread while the transfer runs.
    TransferError error;
    bool succeeded = false;
    // Set on the transfer thread; read once it has ended.
    bool declined = false;
    bool bandUnknown = false;
};

WriteBatch::WriteBatch(const RadioData& data, const std::vector<int>& ports, const Options& options,
                       Question question, QObject* parent)
    : QObject(parent), m_question(std::move(question)), m_verify(options.verify)
{
    for (int port : ports) {
        auto slot = std::make_unique<Slot>();
        Slot& s = *slot;
        s.port = port;
        s.record = data;
        s.record.port = port;
        s.record.UpdateChannelMasks();
        FrameTransferHost::Handlers handlers{
            [this, port](int value) { emit progress(port, value); },
            [&s](const TransferError& error) {
                s.error = error;
                return false;  // the batch reports the failure; Start runs it again
            },
            [](const RadioReport&) { return false; },  // BatchHost asks the batch instead
            [](const RadioData&) {},
            [&s] { s.succeeded = true; },
            [this, port] { emit verifying(port); },
            [this](const BackupResult& result) { emit backupSaved(result); },
        };
        s.host = std::make_unique<BatchHost>(*this, s, std::move(handlers));
        s.worker.Init(s.host.get(), s.record);
        s.worker.SetVerify(options.verify);
        s.worker.SetBackupFolder(options.backupFolder);
        m_slots.push_back(std::move(slot));
    }
}

WriteBatch::~WriteBatch()
{
    for (const auto& slot : m_slots) {
        slot->host->Shutdown();
    }
    {
        std::lock_guard<std::mutex> lock(m_gate);
        m_answered = true;
        m_answer = false;
    }
    m_gateChanged.notify_all();
    for (const auto& slot : m_slots) {
        if (slot->thread) {
            slot->thread->wait();
        }
    }
}

void WriteBatch::Start()
{
    for (const auto& slot : m_slots) {
        if (!slot->worker.SetMode(TransferMode::Write)) {
            continue;
        }
        slot->thread = std::make_unique<CTestThread>(&slot->worker);
        Slot* s = slot.get();
        connect(slot->thread.get(), &QThread::finished, this, [this, s] { ThreadEnded(*s); });
        ++m_running;
    }
    if (m_running == 0) {
        emit finished();
        return;
    }
    for (const auto& slot : m_slots) {
        if (slot->thread) {
            slot->thread->start();
        }
    }
}

void WriteBatch::ThreadEnded(Slot& slot)
{
    slot.thread->wait();
    --m_running;
    emit portEnded(slot.port);
    if (m_running == 0) {
        emit finished();
    }
}

WriteBatch::Slot& WriteBatch::SlotOf(int port) const
{
    for (const auto& slot : m_slots) {
        if (slot->port == port) {
            return *slot;
        }
    }
    return *m_slots.front();
}

WriteBatch::Outcome WriteBatch::OutcomeOf(int port) const
{
    const Slot& slot = SlotOf(port);
    if (slot.succeeded) {
        return m_verify ? Outcome::Verified : Outcome::Written;
    }
    return slot.declined ? Outcome::NotWritten : Outcome::Failed;
}

const TransferError& WriteBatch::ErrorOf(int port) const
{
    return SlotOf(port).error;
}

bool WriteBatch::BandUnknown(int port) const
{
    return SlotOf(port).bandUnknown;
}

bool WriteBatch::Arrive(Slot& slot, const RadioReport& reported, BatchHost& host)
{
    // The slot's copy belongs to this transfer thread until it ends.
    const WriteCheck check = TakeRadioReport(slot.record, reported);
    slot.bandUnknown = check == WriteCheck::NotReported;
    std::unique_lock<std::mutex> lock(m_gate);
    m_accounted.insert(slot.port);
    if (check == WriteCheck::Mismatch) {
        m_mismatches.push_back({slot.port, reported});
    }
    AskWhenComplete(lock, host);
    if (check != WriteCheck::Mismatch) {
        return true;
    }
    m_gateChanged.wait(lock, [this] { return m_answered; });
    slot.declined = !m_answer;
    return m_answer;
}

void WriteBatch::Leave(Slot& slot, BatchHost& host)
{
    std::unique_lock<std::mutex> lock(m_gate);
    if (m_accounted.insert(slot.port).second) {
        AskWhenComplete(lock, host);
    }
}

void WriteBatch::AskWhenComplete(std::unique_lock<std::mutex>& lock, BatchHost& host)
{
    if (m_asked || m_accounted.size() < m_slots.size()) {
        return;
    }
    m_asked = true;
    bool answer = false;
    if (!m_mismatches.empty()) {
        const std::vector<Mismatch> radios = m_mismatches;
        // The question waits for the user; the others may report or fail meanwhile.
        lock.unlock();
        answer = host.Ask([this, radios] { return m_question && m_question(radios); });
        lock.lock();
    }
    if (!m_answered) {
        m_answered = true;
        m_answer = answer;
    }
    m_gateChanged.notify_all();
}

}  // namespace radio
