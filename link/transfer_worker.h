// A transfer is one whole read of the radio into the record or one whole write of the
// record into the radio, run on its own thread (CTestThread) so that the window stays
// responsive. The worker never shows anything itself and holds no reference to the
// caller's record: Init copies it, a read fills a copy and hands it to the host, a
// write sends the copy taken at Init. It asks its host (the main frame, or the
// command-line tool) through TransferHost, whose calls the desktop program forwards
// to the interface thread.
#pragma once

#include <QString>
#include <QThread>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "config/backup_store.h"
#include "data/radio_data.h"

namespace radio {

class ByteLink;
class CSerialPort;

enum class TransferMode { Idle = 0, Read = 2, Write = 3 };

struct TransferError {
    enum class Kind {
        None,
        PortInvalid,     // the record's port number is not 1..10
        PortNotFound,    // no device stands for the port, or it does not exist
        PortPermission,  // the device exists but may not be opened
        PortBusy,        // another program holds the device
        PortFailed,      // any other failure to open
        NoAnswer,        // the radio did not answer the entry code
        Refused,         // the radio answered the entry code with something else
        Echo,            // the entry code came back: the cable returns what it is sent
        LinkFault,       // a later answer was missing or wrong
        VerifyMismatch,  // the radio holds other bytes than the write sent
    };
    Kind kind = Kind::None;
    int portNumber = 0;      // the record's port number
    QString port;            // "COM1", or the device path given to the command-line tool
    QString device;          // the device the port stands for
    QString detail;          // the system's reason, or the step that failed ("block 0x0120")
    bool verifying = false;  // it failed while the write was read back (all was sent)
    int address = -1;        // VerifyMismatch: the lowest address that differs,
    int written = 0;         // the byte written there
    int held = 0;            // and the byte the radio holds
};

// What a radio reported in its identity; -1 where it could not be decoded.
struct RadioReport {
    int bandLower = kNotReported;
    int bandUpper = kNotReported;
    int model = kNotReported;
};

// Called on the transfer thread, in the order of the transfer.
class TransferHost {
public:
    virtual ~TransferHost() = default;
    // The progress counter; 0 (sent last, whatever the outcome) hides the bar.
    virtual void TransferProgress(int value) = 0;
    // The transfer failed: true repeats the whole transfer (Retry), false gives up.
    virtual bool AskRetry(const TransferError& error) = 0;
    // A write has read the radio's identity and sends nothing until this returns.
    // The host stores `reported` as its record's radio-reported values and runs its
    // check before the write; false ends the write before any block is sent. On true
    // the worker gives the copy it sends the identity change of that check,
    // TakeRadioReport (write_check.h): a radio that reported nothing or the data's
    // band and model gets identity bytes, band and model from the report, a confirmed
    // mismatch is sent as it is. A host that keeps a record makes the same change on
    // it (TakeRadioReport), so that what it shows is what the radio got.
    virtual bool CheckBeforeWrite(const RadioReport& reported) = 0;
    // The identity just read names no known band and model (see IdentityDecodes):
    // what could not be decoded stays as it was, and the transfer goes on with the
    // band and model in `taken`. Called before CheckBeforeWrite and ReadSucceeded, so
    // that the user can be told.
    virtual void IdentityNotDecoded(const std::array<std::uint8_t, 8>& /*identity*/,
                                    const RadioReport& /*taken*/)
    {
    }
    // A read succeeded: `received` is the record as it should now be (see CommitRead).
    // The host commits it, reloads its views and tells the user.
    virtual void ReadSucceeded(const RadioData& received) = 0;
    virtual void WriteSucceeded() = 0;
    // The write has ended and the radio is being read back (SetVerify): a second
    // pass of progress follows, from 1 to 100.
    virtual void VerifyStarted() {}
    // A backup (SetBackupFolder) was saved, or could not be; the transfer's outcome
    // does not depend on it. Called before ReadSucceeded or WriteSucceeded.
    virtual void BackupSaved(const BackupResult& /*result*/) {}
};

// Takes a successful read into the record: the blocks read (block 0x0000, the channel
// blocks of the radio's model, blocks 0x0120, 0x0110, 0x0160 and 0x03C0), the band
// and model decoded from the identity, and the radio-reported values. Nothing else.
void CommitRead(RadioData& record, const RadioData& received);

class CTransferWorker {
public:
    CTransferWorker();
    ~CTransferWorker();
    CTransferWorker(const CTransferWorker&) = delete;
    CTransferWorker& operator=(const CTransferWorker&) = delete;

    // Stores the host and a copy of `record`, taken now: a write sends this copy (with
    // the identity change of the check before the write), a read starts its own copy
    // from it, and the port is its port. Nothing on the transfer thread refers to
    // the caller's record, which the caller may change once the transfer has begun
    // without changing what is sent. Creates the serial port on first use.
    void Init(TransferHost* host, const RadioData& record);
    // Claims the worker for a read or a write; false when a transfer is running.
    bool SetMode(TransferMode mode);
    // The whole transfer, with Retry; ends idle. Called on the transfer thread.
    void Run();
    bool IsBusy() const { return m_mode.load() != TransferMode::Idle; }
    // Bit n set when COMn (1..10) opens; bit 0 and bits 11-15 always set.
    quint16 ProbePorts();
    // For the command-line tool: use this device instead of COMn of the record.
    void SetDeviceOverride(const QString& device);
    // A write is read back and compared once it has ended (VerifySession).
    void SetVerify(bool verify) { m_verify = verify; }
    // Each successful read and write is saved as a backup in this folder; empty: none.
    void SetBackupFolder(const QString& folder) { m_backupFolder = folder; }
    // The kind a read's backup is kept as: a read before a write keeps what the radio
    // held as BackupKind::BeforeWrite. Read until changed.
    void SetReadBackupKind(BackupKind kind) { m_readBackupKind = kind; }
    // Runs the transfers over this line instead of opening a port (the tests and the
    // fuzz targets drive whole transfers over an in-memory line); nullptr goes back to
    // the port. The line must outlive the transfers that use it.
    void UseLink(ByteLink* link) { m_linkOverride = link; }

private:
    bool OpenPort(TransferError& error);
    bool Connect(TransferError& error, RadioReport& reported);
    bool ReadAll(TransferError& error);
    bool WriteAll(TransferError& error);
    bool Finish(TransferError& error);
    bool Verify(TransferError& error);
    void Backup(const RadioData& image, BackupKind kind);
    void Post(int progress);

    std::atomic<TransferMode> m_mode{TransferMode::Idle};
    qint16 m_progress = 0;
    std::unique_ptr<CSerialPort> m_port;
    ByteLink* m_linkOverride = nullptr;
    ByteLink* m_link = nullptr;           // the line of the running transfer
    std::unique_ptr<RadioData> m_record;  // the copy taken at Init
    TransferHost* m_host = nullptr;
    QString m_deviceOverride;
    bool m_verify = false;
    QString m_backupFolder;
    BackupKind m_readBackupKind = BackupKind::Read;
    std::unique_ptr<RadioData> m_staged;  // a read fills this copy, committed on success
};

// Runs one transfer on its own thread.
class CTestThread : public QThread {
    Q_OBJECT
public:
    explicit CTestThread(CTransferWorker* worker, QObject* parent = nullptr)
        : QThread(parent), m_worker(worker)
    {
    }

protected:
    void run() override { m_worker->Run(); }

private:
    CTransferWorker* m_worker;
};

}  // namespace radio
