// Read from the radio and write to the radio: each runs on its own thread
// (CTestThread) while the window stays responsive. One transfer at a time; while it
// runs, the main frame disables the editing views and the commands that change the
// record.
#pragma once

#include <QObject>
#include <memory>

#include "link/transfer_worker.h"
#include "shell/frame_transfer_host.h"

namespace radio {

class CMainFrame;

class TransferCommands : public QObject {
    Q_OBJECT
public:
    TransferCommands(CMainFrame* frame, CTransferWorker* worker);
    ~TransferCommands() override;

    // Starts a read or a write; false (after telling the user) when one is running.
    bool Start(TransferMode mode);
    bool IsRunning() const { return m_running; }

signals:
    // A transfer started (true) or its thread ended (false).
    void runningChanged(bool running);

private:
    const RadioData& Data() const;
    void OnThreadFinished();
    bool AskRetry(const TransferError& error);
    bool CheckBeforeWrite(const RadioReport& reported);
    void ReadSucceeded(const RadioData& received);
    void WriteSucceeded();
    void ShowNote(const QString& backupNote);

    CMainFrame* m_frame;
    CTransferWorker* m_worker;
    FrameTransferHost m_host;
    std::unique_ptr<CTestThread> m_thread;
    bool m_running = false;
    bool m_verifying = false;  // the running write is read back when it has ended
    QString m_identityNote;    // the radio's identity could not be decoded
};

}  // namespace radio
