#include "shell/write_batch.h"

#include "config/fleet_codes.h"
#include "link/port_names.h"
#include "link/write_check.h"
#include "shell/frame_transfer_host.h"

namespace radio {

// The side of one radio that its transfer thread talks to. Progress and the rest
// reach the interface thread as for a single write; the check before the write goes
// to the batch instead, which asks once for all its radios.
class WriteBatch::PortHost : public FrameTransferHost {
public:
    PortHost(WriteBatch& batch, Slot& slot, Handlers handlers)
        : FrameTransferHost(std::move(handlers)), m_batch(batch), m_slot(slot)
    {
    }

    bool CheckBeforeWrite(const RadioReport& reported) override
    {
        return m_batch.Arrive(m_slot, reported, *this);
    }

    bool AskRetry(const TransferError&) override
    {
        // A radio that fails before it has reported must not keep the others waiting;
        // the batch reports the failure and is run again by the user.
        m_batch.Leave(m_slot, *this);
        return false;
    }

    void BackupSaved(const BackupResult& result) override
    {
        m_writeBackup = result;
        FrameTransferHost::BackupSaved(result);
    }
    // The backup of what was written, once the write has ended.
    const BackupResult& WriteBackup() const { return m_writeBackup; }

    // Runs the batch's question on the interface thread and waits for the answer;
    // false when the host was shut down first.
    bool Ask(const std::function<bool()>& question)
    {
        auto answer = std::make_shared<bool>(false);
        const bool answered = CallAndWait([question, answer] { *answer = question(); });
        return answered && *answer;
    }

private:
    WriteBatch& m_batch;
    Slot& m_slot;
    BackupResult m_writeBackup;
};

struct WriteBatch::Slot {
    int port = 0;
    RadioData* copy = nullptr;  // the writer's copy for this radio; its thread's alone
    std::unique_ptr<PortHost> host;
    // Set on the interface thread once the transfer has ended.
    MultiWriteResult result;
    // Set on the transfer thread; read once it has ended.
    bool bandUnknown = false;
    JobLogRow row;
    FileResult logResult;
};

WriteBatch::WriteBatch(const RadioData& data, const std::vector<int>& ports, const Options& options,
                       Question question, Job job, QObject* parent)
    : QObject(parent), m_question(std::move(question)), m_job(std::move(job))
{
    std::vector<MultiWriter::Radio> radios;
    for (int port : ports) {
        auto slot = std::make_unique<Slot>();
        slot->port = port;
        m_slots.push_back(std::move(slot));
        radios.push_back({port, QString()});
    }
    MultiWriteHost& host = *this;
    m_writer = std::make_unique<MultiWriter>(data, radios, options, host);
}

WriteBatch::~WriteBatch()
{
    m_writer->Cancel();
    for (const auto& slot : m_slots) {
        if (slot->host) {
            slot->host->Shutdown();
        }
    }
    {
        std::lock_guard<std::mutex> lock(m_gate);
        m_answered = true;
        m_answer = false;
    }
    m_gateChanged.notify_all();
    m_writer.reset();  // waits for the threads
}

TransferHost& WriteBatch::HostFor(std::size_t index, RadioData& copy)
{
    Slot& s = *m_slots[index];
    s.copy = &copy;
    const int port = s.port;
    if (const auto codes = m_job.codes.find(port); codes != m_job.codes.end()) {
        SetCodes(copy, codes->second.code1, codes->second.code2);
    }
    FrameTransferHost::Handlers handlers{
        [this, port](int value) { emit progress(port, value); },
        [](const TransferError&) { return false; },  // PortHost answers itself
        [](const RadioReport&) { return false; },    // PortHost asks the batch instead
        [](const RadioData&) {},
        [] {},
        [this, port] { emit verifying(port); },
        [this](const BackupResult& result) { emit backupSaved(result); },
    };
    s.host = std::make_unique<PortHost>(*this, s, std::move(handlers));
    return *s.host;
}

void WriteBatch::Start()
{
    if (m_slots.empty()) {
        emit finished();
        return;
    }
    m_running = int(m_slots.size());
    m_writer->Start();
}

void WriteBatch::Stop()
{
    m_stopped = true;
    m_writer->Cancel();
}

void WriteBatch::PortEnded(std::size_t index, const MultiWriteResult& result)
{
    // On the transfer thread, which alone has touched the slot's copy: its row of the
    // log, so that a slow disk holds up no window.
    Slot& ended = *m_slots[index];
    if (m_job.log) {
        JobLogRow& row = ended.row;
        row.port = PortName(ended.port);
        // Looked up, never inserted: the radios' threads read these maps at once.
        const auto of = [port = ended.port](const std::map<int, QString>& byPort) {
            const auto at = byPort.find(port);
            return at == byPort.end() ? QString() : at->second;
        };
        row.device = of(m_job.devices);
        row.adapterSerial = of(m_job.adapterSerials);
        row.dataFile = m_job.dataFile;
        row.dataSha256 = m_job.dataSha256;
        row.result = m_job.resultText ? m_job.resultText(result, m_stopped) : QString();
        TakeRadioEnd(row, *ended.copy, ended.host->WriteBackup(), result.backupFirst);
        ended.logResult = m_job.log->Append(row);
    }
    // The rest happens on the interface thread, after what this radio has posted
    // before.
    QMetaObject::invokeMethod(
        this,
        [this, index, result] {
            Slot& slot = *m_slots[index];
            slot.result = result;
            --m_running;
            emit portEnded(slot.port);
            if (m_running == 0) {
                emit finished();
            }
        },
        Qt::QueuedConnection);
}

const WriteBatch::Slot& WriteBatch::SlotOf(int port) const
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
    return SlotOf(port).result.outcome;
}

const TransferError& WriteBatch::ErrorOf(int port) const
{
    return SlotOf(port).result.error;
}

bool WriteBatch::BandUnknown(int port) const
{
    return SlotOf(port).bandUnknown;
}

const JobLogRow& WriteBatch::LogRowOf(int port) const
{
    return SlotOf(port).row;
}

const FileResult& WriteBatch::LogResultOf(int port) const
{
    return SlotOf(port).logResult;
}

bool WriteBatch::Arrive(Slot& slot, const RadioReport& reported, PortHost& host)
{
    // The slot's copy belongs to this transfer thread until it ends.
    const WriteCheck check = TakeRadioReport(*slot.copy, reported);
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
    return m_answer;
}

void WriteBatch::Leave(Slot& slot, PortHost& host)
{
    std::unique_lock<std::mutex> lock(m_gate);
    if (m_accounted.insert(slot.port).second) {
        AskWhenComplete(lock, host);
    }
}

void WriteBatch::AskWhenComplete(std::unique_lock<std::mutex>& lock, PortHost& host)
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
