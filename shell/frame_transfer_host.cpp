#include "shell/frame_transfer_host.h"

#include <QMetaObject>
#include <QThread>

namespace radio {

FrameTransferHost::FrameTransferHost(Handlers handlers, QObject* parent)
    : QObject(parent), m_handlers(std::move(handlers))
{
}

FrameTransferHost::~FrameTransferHost()
{
    Shutdown();
}

void FrameTransferHost::Shutdown()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
    }
    m_answered.notify_all();
}

void FrameTransferHost::Reopen()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closed = false;
}

bool FrameTransferHost::CallAndWait(std::function<void()> call)
{
    // Called on the interface thread itself (a host used without a thread): run it.
    if (QThread::currentThread() == thread()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_closed) {
                return false;
            }
        }
        call();
        return true;
    }

    struct Pending {
        bool done = false;
    };
    auto pending = std::make_shared<Pending>();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closed) {
            return false;
        }
    }
    QMetaObject::invokeMethod(
        this,
        [this, call = std::move(call), pending] {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_closed) {
                    return;  // the transfer thread has already been told to give up
                }
            }
            call();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                pending->done = true;
            }
            m_answered.notify_all();
        },
        Qt::QueuedConnection);

    std::unique_lock<std::mutex> lock(m_mutex);
    m_answered.wait(lock, [&] { return pending->done || m_closed; });
    return pending->done;
}

void FrameTransferHost::Post(std::function<void()> call)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closed) {
            return;
        }
    }
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void FrameTransferHost::TransferProgress(int value)
{
    Post([this, value] { m_handlers.progress(value); });
}

void FrameTransferHost::VerifyStarted()
{
    if (m_handlers.verifyStarted) {
        Post([this] { m_handlers.verifyStarted(); });
    }
}

void FrameTransferHost::BackupSaved(const BackupResult& result)
{
    if (m_handlers.backupSaved) {
        Post([this, result] { m_handlers.backupSaved(result); });
    }
}

void FrameTransferHost::IdentityNotDecoded(const std::array<std::uint8_t, 8>& identity,
                                           const RadioReport& taken)
{
    // Posted: it reaches the window before the read's or the write's next call does.
    if (m_handlers.identityNotDecoded) {
        Post([this, identity, taken] { m_handlers.identityNotDecoded(identity, taken); });
    }
}

bool FrameTransferHost::AskRetry(const TransferError& error)
{
    // The answer lives in shared state: the call may be abandoned at shutdown.
    auto retry = std::make_shared<bool>(false);
    // Read only when the call ran to its end.
    const bool answered =
        CallAndWait([this, error, retry] { *retry = m_handlers.askRetry(error); });
    return answered && *retry;
}

bool FrameTransferHost::CheckBeforeWrite(const RadioReport& reported)
{
    auto goOn = std::make_shared<bool>(false);
    const bool answered =
        CallAndWait([this, reported, goOn] { *goOn = m_handlers.checkBeforeWrite(reported); });
    return answered && *goOn;
}

void FrameTransferHost::ReadSucceeded(const RadioData& received)
{
    // `received` stays valid: the worker waits here until the interface thread is done.
    CallAndWait([this, &received] { m_handlers.readSucceeded(received); });
}

void FrameTransferHost::WriteSucceeded()
{
    CallAndWait([this] { m_handlers.writeSucceeded(); });
}

}  // namespace radio
