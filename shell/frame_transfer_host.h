// The desktop program's side of a transfer: the worker calls it on the transfer
// thread, and it hands each call to the interface thread. Progress is posted; the
// questions and the success reports wait for the interface thread's answer (the
// worker sends nothing more meanwhile). Once shut down, every waiting and later call
// is answered "give up" at once, so that the window can wait for the thread to end
// without waiting for a box that will never be answered.
#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "link/transfer_worker.h"

namespace radio {

class FrameTransferHost : public QObject, public TransferHost {
    Q_OBJECT
public:
    // What the interface thread does for each call.
    struct Handlers {
        std::function<void(int)> progress;
        std::function<bool(const TransferError&)> askRetry;
        std::function<bool(const RadioReport&)> checkBeforeWrite;
        std::function<void(const RadioData&)> readSucceeded;
        std::function<void()> writeSucceeded;
        // Optional: the second pass of a verified write begins; a backup was saved or not.
        std::function<void()> verifyStarted = {};
        std::function<void(const BackupResult&)> backupSaved = {};
        // Optional: the identity could not be decoded (TransferHost::IdentityNotDecoded).
        std::function<void(const std::array<std::uint8_t, 8>&, const RadioReport&)>
            identityNotDecoded = {};
    };

    explicit FrameTransferHost(Handlers handlers, QObject* parent = nullptr);
    ~FrameTransferHost() override;

    // Answers every waiting and later question with "give up" and drops the rest.
    void Shutdown();
    // Takes calls again (a new transfer after a shutdown; used by tests).
    void Reopen();

    void TransferProgress(int value) override;
    bool AskRetry(const TransferError& error) override;
    bool CheckBeforeWrite(const RadioReport& reported) override;
    void ReadSucceeded(const RadioData& received) override;
    void WriteSucceeded() override;
    void VerifyStarted() override;
    void BackupSaved(const BackupResult& result) override;
    void IdentityNotDecoded(const std::array<std::uint8_t, 8>& identity,
                            const RadioReport& taken) override;

protected:
    // Runs `call` on the interface thread and waits for it; false when shut down
    // before it ran.
    bool CallAndWait(std::function<void()> call);
    // Runs `call` on the interface thread later, unless shut down by then.
    void Post(std::function<void()> call);

private:
    Handlers m_handlers;
    std::mutex m_mutex;
    std::condition_variable m_answered;
    bool m_closed = false;
};

}  // namespace radio
