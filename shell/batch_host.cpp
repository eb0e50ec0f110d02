#include "shell/batch_host.h"

#include <memory>

namespace radio {

BatchHost::BatchHost(WriteBatch& batch, WriteBatch::Slot& slot, Handlers handlers)
    : FrameTransferHost(std::move(handlers)), m_batch(batch), m_slot(slot)
{
}

bool BatchHost::CheckBeforeWrite(const RadioReport& reported)
{
    return m_batch.Arrive(m_slot, reported, *this);
}

bool BatchHost::AskRetry(const TransferError& error)
{
    // A radio that fails before it has reported must not keep the others waiting.
    m_batch.Leave(m_slot, *this);
    return FrameTransferHost::AskRetry(error);
}

bool BatchHost::Ask(const std::function<bool()>& question)
{
    auto answer = std::make_shared<bool>(false);
    const bool answered = CallAndWait([question, answer] { *answer = question(); });
    return answered && *answer;
}

}  // namespace radio
