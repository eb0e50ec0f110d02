// Keeps the recovery copy of the data being edited (config/recovery_copy.h) while
// they have unsaved changes. A change arms a timer; when it runs out, the record's
// image is taken on the interface thread (1704 bytes) and written on a thread of the
// keeper's own, so that a slow or full disk holds up no window. Only the newest
// image waits to be written: a burst of typing makes one save, not one per key.
// When the data count as unmodified again (Save, a read, a write, Open, New, Undo
// back to them) the copy is removed.
#pragma once

#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "config/recovery_copy.h"

namespace radio {

class RadioDocument;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // A copy is saved at most this long after the change that needs it.
    static constexpr int kDelayMs = 500;

    RecoveryKeeper(RadioDocument& document, const QString& folder, QObject* parent = nullptr);
    // Ends the writing thread; the copy stays where it is (the program did not end
    // as it should: RemoveNow is the clean end).
    ~RecoveryKeeper() override;

    // Uses the copy of `slot` (a left copy whose changes were restored, `content`) as
    // this program's own, so that the first save replaces it. Until the data differ
    // from it, it is not saved again: it keeps the time the changes were made.
    // Before any change is kept.
    void Adopt(std::unique_ptr<RecoverySlot> slot, const RecoveryContent& content);
    // The program ends as it should: a save still waiting or under way is dropped
    // and the copy removed before this returns. Nothing is kept afterwards.
    void RemoveNow();
    // Waits until no save or removal is waiting or under way (tests, benchmarks).
    void WaitUntilIdle();

signals:
    // A copy could not be saved; said once until a save succeeds again.
    void copyFailed(const QString& reason);

private:
    // What the thread is to do next; a newer request replaces an older one.
    struct Request {
        bool remove = false;
        QByteArray bytes;  // to save, when not removing
    };

    void Schedule();
    void TakeSnapshot();
    void Post(Request request);
    void Run();

    RadioDocument& m_document;
    QTimer m_timer;
    bool m_stopped = false;
    std::optional<RecoveryContent> m_adopted;  // what the adopted copy holds

    // Shared with the thread.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<Request> m_pending;
    bool m_busy = false;
    bool m_quit = false;
    bool m_failing = false;  // the last save failed and was reported
    std::unique_ptr<RecoverySlot> m_slot;
    std::thread m_thread;
};

}  // namespace radio
