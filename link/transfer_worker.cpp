#include "link/transfer_worker.h"

#include "link/block_plan.h"
#include "link/port_names.h"
#include "link/protocol.h"
#include "link/serial_port.h"
#include "link/verify_session.h"
#include "link/write_check.h"

namespace radio {

namespace {

constexpr int kEntryRetries = 3;

// Progress runs in steps of 100 / 9 for a 16-channel radio (4 channel blocks) and
// 100 / 13 for a 32-channel radio (8 channel blocks).
qint16 ProgressStep(const RadioData& data)
{
    return data.model != 0 ? 100 / 9 : 100 / 13;
}

// "block 0x0120, quarter 1, refused": which chunk failed, and how.
QString ChunkStep(Block block, int quarter, ChunkResult result)
{
    QString how;
    switch (result) {
    case ChunkResult::NoAnswer: how = QStringLiteral("not answered"); break;
    case ChunkResult::Refused: how = QStringLiteral("refused"); break;
    case ChunkResult::WriteFailed: how = QStringLiteral("not sent"); break;
    case ChunkResult::Acknowledged: break;
    }
    QString step = QStringLiteral("%1, quarter %2").arg(BlockText(block)).arg(quarter);
    return how.isEmpty() ? step : step + QStringLiteral(", ") + how;
}

std::uint8_t High(Block block)
{
    return std::uint8_t(DefaultAddress(block) >> 8);
}

std::uint8_t Low(Block block)
{
    return std::uint8_t(DefaultAddress(block) & 0xFF);
}

TransferError::Kind KindOf(PortOpenFailure failure)
{
    switch (failure) {
    case PortOpenFailure::NotFound: return TransferError::Kind::PortNotFound;
    case PortOpenFailure::Permission: return TransferError::Kind::PortPermission;
    case PortOpenFailure::Busy: return TransferError::Kind::PortBusy;
    case PortOpenFailure::Other:
    case PortOpenFailure::None: break;
    }
    return TransferError::Kind::PortFailed;
}

}  // namespace

void CommitRead(RadioData& record, const RadioData& received)
{
    for (Block b : ReadOrder(received.ChannelBlocksInUse())) {
        record.block(b) = received.block(b);
    }
    record.bandLower = received.bandLower;
    record.bandUpper = received.bandUpper;
    record.model = received.model;
    record.radioBandLower = received.radioBandLower;
    record.radioBandUpper = received.radioBandUpper;
    record.radioModel = received.radioModel;
}

CTransferWorker::CTransferWorker() = default;

CTransferWorker::~CTransferWorker() = default;

void CTransferWorker::Init(TransferHost* host, const RadioData& record)
{
    m_host = host;
    m_record = std::make_unique<RadioData>(record);
    if (!m_port) {
        m_port = std::make_unique<CSerialPort>();
    }
}

bool CTransferWorker::SetMode(TransferMode mode)
{
    if (mode == TransferMode::Idle) {
        return false;
    }
    TransferMode idle = TransferMode::Idle;
    return m_mode.compare_exchange_strong(idle, mode);
}

void CTransferWorker::SetDeviceOverride(const QString& device)
{
    m_deviceOverride = device;
}

void CTransferWorker::Post(int progress)
{
    if (m_host) {
        m_host->TransferProgress(progress);
    }
}

void CTransferWorker::Run()
{
    const TransferMode mode = m_mode.load();
    if (m_host && m_record && m_port && mode != TransferMode::Idle) {
        for (;;) {
            m_progress = 0;
            TransferError error;
            bool failed = false;
            RadioReport reported;
            if (mode == TransferMode::Read) {
                // The read fills a copy; the host takes it into the record only when
                // every block has arrived, so a failed read changes nothing.
                m_staged = std::make_unique<RadioData>(*m_record);
                failed = !Connect(error, reported) || !ReadAll(error);
                m_port->CloseIfOpen();
                if (!failed) {
                    Backup(*m_staged, m_readBackupKind);
                    m_host->ReadSucceeded(*m_staged);
                }
                m_staged.reset();
            } else {
                bool written = false;
                if (!Connect(error, reported)) {
                    failed = true;
                } else if (m_host->CheckBeforeWrite(reported)) {
                    // The host has made this change on its own record meanwhile.
                    TakeRadioReport(*m_record, reported);
                    written = WriteAll(error) && (!m_verify || Verify(error));
                    failed = !written;
                }
                // A write the host declined ends quietly, before any block is sent.
                m_port->CloseIfOpen();
                if (written) {
                    Backup(*m_record, BackupKind::Write);
                    m_host->WriteSucceeded();
                }
            }
            // The port is closed before the question, so that the cable can be
            // plugged in again before a Retry.
            if (failed && m_host->AskRetry(error)) {
                m_progress = 0;
                Post(0);
                continue;
            }
            break;
        }
    }
    if (m_port) {
        m_port->CloseIfOpen();
    }
    m_progress = 0;
    TransferHost* host = m_host;
    // Idle before the last message: the host may start the next transfer as soon as
    // it sees the bar go back to 0.
    m_mode.store(TransferMode::Idle);
    if (host) {
        host->TransferProgress(0);
    }
}

bool CTransferWorker::OpenPort(TransferError& error)
{
    const int number = m_record->port;
    error.portNumber = number;
    QString name;
    if (!m_deviceOverride.isEmpty()) {
        name = m_deviceOverride;
        error.port = m_deviceOverride;
    } else {
        error.port = PortName(number);
        if (number < 1 || number > kPortCount) {
            error.kind = TransferError::Kind::PortInvalid;
            return false;
        }
        name = error.port;
    }
    if (!m_port->Open(name)) {
        error.kind = KindOf(m_port->OpenFailure());
        error.device = m_port->Device();
        error.detail = m_port->OpenFailureDetail();
        m_port->Close();
        return false;
    }
    error.device = m_port->Device();
    return true;
}

bool CTransferWorker::Connect(TransferError& error, RadioReport& reported)
{
    ++m_progress;
    Post(m_progress);

    if (m_linkOverride) {
        m_link = m_linkOverride;
    } else if (OpenPort(error)) {
        m_link = m_port.get();
    } else {
        return false;
    }

    EntryResult entry = EntryResult::NoAnswer;
    if (!EnterProgramMode(*m_link, kEntryRetries, &entry)) {
        ++m_progress;
        Post(m_progress);
        m_port->Close();
        switch (entry) {
        case EntryResult::Refused: error.kind = TransferError::Kind::Refused; break;
        case EntryResult::Echo: error.kind = TransferError::Kind::Echo; break;
        case EntryResult::WriteFailed:
            error.kind = TransferError::Kind::LinkFault;
            error.detail = QStringLiteral("entry code");
            break;
        default: error.kind = TransferError::Kind::NoAnswer; break;
        }
        return false;
    }

    Identity identity{};
    if (!ReadIdentity(*m_link, identity)) {
        error.kind = TransferError::Kind::LinkFault;
        error.detail = QStringLiteral("identity");
        return false;
    }
    // The report describes this radio only: whatever it cannot tell stays "not
    // reported" instead of keeping what an earlier radio said.
    reported = RadioReport();
    DecodeIdentity(identity.data(), reported.bandLower, reported.bandUpper, reported.model);
    if (m_staged) {
        DecodeIdentity(identity.data(), m_staged->bandLower, m_staged->bandUpper, m_staged->model);
        m_staged->radioBandLower = reported.bandLower;
        m_staged->radioBandUpper = reported.bandUpper;
        m_staged->radioModel = reported.model;
    }
    if (!IdentityDecodes(identity.data())) {
        // A read goes on with what could be decoded over the data's band and model
        // (so perhaps with fewer channels than the radio has); nobody may miss that.
        const RadioData& going = m_staged ? *m_staged : *m_record;
        RadioReport taken;
        taken.bandLower = going.bandLower;
        taken.bandUpper = going.bandUpper;
        taken.model = going.model;
        m_host->IdentityNotDecoded(identity, taken);
    }
    return true;
}

// The end byte closes the exchange; the bar shows 100 once it has gone out.
bool CTransferWorker::Finish(TransferError& error)
{
    if (!SendEnd(*m_link)) {
        error.kind = TransferError::Kind::LinkFault;
        error.detail = QStringLiteral("end byte");
        return false;
    }
    m_progress = 100;
    Post(m_progress);
    return true;
}

// The second pass: the bar starts again at 1 and ends at 100.
bool CTransferWorker::Verify(TransferError& error)
{
    m_host->VerifyStarted();
    m_progress = 1;
    Post(m_progress);
    VerifySession session(*m_link, *m_record);
    const bool same = session.Run(error, [this](int done, int total) {
        m_progress = qint16(1 + done * 99 / total);
        Post(m_progress);
    });
    return same;
}

// Saved after the port has closed, so that it never holds up the radio; a failure
// is only reported.
void CTransferWorker::Backup(const RadioData& image, BackupKind kind)
{
    if (!m_backupFolder.isEmpty()) {
        m_host->BackupSaved(SaveBackup(image, kind, m_backupFolder));
    }
}

bool CTransferWorker::ReadAll(TransferError& error)
{
    RadioData& data = *m_staged;
    const qint16 step = ProgressStep(data);
    const auto advance = [this, step] {
        m_progress = qint16(m_progress + step);
        Post(m_progress);
    };
    // Every block sits at its fixed radio address; the address bytes a record carries
    // (a data file may bring anything there) play no part in a transfer.
    const auto read = [this, &error, &data](Block b) {
        DataBlock& block = data.block(b);
        if (ReadBlock(*m_link, High(b), Low(b), block.data.data())) {
            block.SetAddress(DefaultAddress(b));
            return true;
        }
        error.kind = TransferError::Kind::LinkFault;
        error.detail = BlockText(b);
        return false;
    };

    advance();
    for (Block b : ReadOrder(data.ChannelBlocksInUse())) {
        if (!read(b)) {
            return false;
        }
        advance();
    }
    return Finish(error);
}

bool CTransferWorker::WriteAll(TransferError& error)
{
    const RadioData& data = *m_record;
    const qint16 step = ProgressStep(data);
    const auto advance = [this, step] {
        m_progress = qint16(m_progress + step);
        Post(m_progress);
    };
    const auto write = [this, &error, &data](Block b, int quarters) {
        for (int q = 0; q < quarters; ++q) {
            ChunkResult result = ChunkResult::Acknowledged;
            if (!WriteQuarter(*m_link, High(b), Low(b), q, data.block(b).data.data(), &result)) {
                error.kind = TransferError::Kind::LinkFault;
                error.detail = ChunkStep(b, q, result);
                return false;
            }
        }
        return true;
    };

    advance();
    for (const QuarterPlan& plan : WriteOrder(data.ChannelBlocksInUse())) {
        if (!write(plan.block, plan.quarters)) {
            return false;
        }
        advance();
    }
    return Finish(error);
}

quint16 CTransferWorker::ProbePorts()
{
    // A port object of its own: the probe never shares the transfer's port, and a port
    // that a running transfer holds simply shows as not opening.
    CSerialPort probe;
    quint16 mask = 0xFFFF;
    for (int n = 1; n <= kPortCount; ++n) {
        if (!probe.Open(PortName(n))) {
            mask = quint16(mask & ~(1u << n));
        }
        probe.Close();
    }
    return mask;
}

}  // namespace radio
