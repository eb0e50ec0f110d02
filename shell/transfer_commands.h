// Read from the radio and write to the radio: each runs on its own thread
// (CTestThread) while the window stays responsive. One transfer at a time; while it
// runs, the main frame disables the editing views and the commands that change the
// record.
#pragma once

#include <QObject>
#include <memory>

#include "data/record_diff.h"
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
    // Programming > Verify after write, which the several-radios dialog may change;
    // `previewCheck` is Programming > Show changes before writing.
    TransferCommands(RadioDocument& document, ViewManager& views, TransferFrame& frame,
                     CTransferWorker* worker, FileCommands& files, QAction* verifyCheck,
                     QAction* previewCheck, QObject* parent);
    ~TransferCommands() override;

    void Read();
    // With Show changes before writing on, the radio is read first (kept as a
    // before-write backup) and what the write will change is shown, Write or Cancel.
    void Write();
    // Programming > Compare with radio: reads the radio and shows how it differs from
    // the data, which stay as they are.
    void CompareWithRadio();
    void SetShowChangesBeforeWriting(bool on);
    // Programming > Write to several radios; the record is only read.
    void WriteSeveral();
    // Programming > Verify after write, remembered per user.
    void SetVerifyAfterWrite(bool verify);
    // A transfer runs: says so.
    void SayRunning();

    // Why a read runs: to take the radio's data, or only to compare them with the data.
    enum class ReadFor { Taking, Comparing, Previewing };
    // Starts a read or a write; false (after telling the user) when one is running.
    bool Start(TransferMode mode, ReadFor purpose = ReadFor::Taking);
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
    // After a read for comparing or previewing: shows the differences; a preview may
    // go on to the write.
    void ShowComparison();
    void ShowCompared(const std::vector<Difference>& differences);
    // Write or Cancel, from the differences the write will make.
    bool MayWrite(const std::vector<Difference>& differences);

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
    QString m_backupNote;
    ReadFor m_readFor = ReadFor::Taking;
    std::unique_ptr<RadioData> m_held;  // what a read for comparing found in the radio
};

}  // namespace radio
