#include "shell/recovery_keeper.h"

#include <QDateTime>

#include "config/file_messages.h"
#include "widgets/radio_document.h"

namespace radio {

RecoveryKeeper::RecoveryKeeper(RadioDocument& document, const QString& folder, QObject* parent)
    : QObject(parent), m_document(document), m_slot(std::make_unique<RecoverySlot>(folder))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::TakeSnapshot);
    connect(&m_document, &RadioDocument::changed, this, &RecoveryKeeper::Schedule);
    connect(&m_document, &RadioDocument::modifiedChanged, this, [this](bool modified) {
        if (modified) {
            Schedule();
            return;
        }
        m_timer.stop();
        m_adopted.reset();
        if (!m_stopped) {
            Post(Request{true, {}});
        }
    });
    m_thread = std::thread(&RecoveryKeeper::Run, this);
}

RecoveryKeeper::~RecoveryKeeper()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void RecoveryKeeper::Adopt(std::unique_ptr<RecoverySlot> slot, const RecoveryContent& content)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_busy && !m_pending; });
    m_slot = std::move(slot);
    m_adopted = content;
}

void RecoveryKeeper::RemoveNow()
{
    m_stopped = true;
    m_timer.stop();
    Post(Request{true, {}});
    WaitUntilIdle();
}

void RecoveryKeeper::WaitUntilIdle()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_busy && !m_pending; });
}

void RecoveryKeeper::Schedule()
{
    // Not restarted by every change: typing without a pause is kept too.
    if (!m_stopped && m_document.IsModified() && !m_timer.isActive()) {
        m_timer.start();
    }
}

void RecoveryKeeper::TakeSnapshot()
{
    if (m_stopped || !m_document.IsModified()) {
        return;
    }
    RecoveryContent content;
    content.time = QDateTime::currentDateTime();
    content.fileName = m_document.FileName();
    const auto image = DataFileBytes(m_document.Record());
    content.data = QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
    if (m_adopted && m_adopted->data == content.data && m_adopted->fileName == content.fileName) {
        return;
    }
    m_adopted.reset();
    Post(Request{false, RecoveryCopyBytes(content)});
}

void RecoveryKeeper::Post(Request request)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending = std::move(request);
    }
    m_wake.notify_one();
}

void RecoveryKeeper::Run()
{
    for (;;) {
        Request request;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_pending || m_quit; });
            if (!m_pending) {
                return;
            }
            request = std::move(*m_pending);
            m_pending.reset();
            m_busy = true;
        }
        FileResult result;
        if (request.remove) {
            m_slot->Remove();
        } else {
            result = m_slot->Save(request.bytes);
        }
        bool report = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_busy = false;
            if (!result.ok()) {
                report = !m_failing;
                m_failing = true;
            } else if (!request.remove) {
                m_failing = false;
            }
        }
        m_idle.notify_all();
        if (report) {
            // Worded on the interface thread, in the language of the moment.
            QMetaObject::invokeMethod(
                this,
                [this, result] {
                    emit copyFailed(FailureReason(m_document.Record().texts, result));
                },
                Qt::QueuedConnection);
        }
    }
}

}  // namespace radio
