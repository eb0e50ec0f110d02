// Read from the radio and write to the radio: each runs on its own thread
// (CTestThread) while the window stays responsive. One transfer at a time; while it
// runs, the main frame disables the editing views and the commands that change the
// record.
#pragma once

#include <QObject>
#include <memory>

#include "link/transfer_worker.h"
#include "shell/frame_transfer_host.h"
#include "widgets/radio_document.h"

class QAction;

namespace radio {

class CProgStatusBar;
class FileCommands;
class ViewManager;

// What a transfer needs of the main window besides its views: the operations the read
// and the write call on it.
class TransferFrame {
public:
    // 0 hides the progress bar; any other value shows it at that position.
    virtual void SetProgress(int value) = 0;
    // The check before a write; true lets the write go on.
    virtual bool CheckBeforeWrite(const RadioReport& reported) = 0;
    // The channel masks follow the channels before a write.
    virtual void UpdateChannelMasks() = 0;
    virtual CProgStatusBar* ProgressBar() const = 0;

protected:
    ~TransferFrame() = default;
};

class TransferCommands : public QObject {
    Q_OBJECT
public:
    // `files` asks about unsaved changes before a read replaces them; `verifyCheck` is
    // Programming > Verify after write, which the several-radios dialog may change.
    TransferCommands(RadioDocument& document, ViewManager& views, TransferFrame& frame,
                     CTransferWorker* worker, FileCommands& files, QAction* verifyCheck,
                     QObject* parent);
    ~TransferCommands() override;

    void Read();
    void Write();
    // Programming > Write to several radios; the record is only read.
    void WriteSeveral();
    // Programming > Verify after write, remembered per user.
    void SetVerifyAfterWrite(bool verify);
    // A transfer runs: says so.
    void SayRunning();

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

    RadioDocument& m_document;
    ViewManager& m_views;
    TransferFrame& m_frame;
    CTransferWorker* m_worker;
    FileCommands& m_files;
    QAction* m_verifyCheck;
    FrameTransferHost m_host;
    std::unique_ptr<CTestThread> m_thread;
    bool m_running = false;
    bool m_verifying = false;  // the running write is read back when it has ended
    QString m_identityNote;    // the radio's identity could not be decoded
};

}  // namespace radio
