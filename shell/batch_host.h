// The side of one radio of a WriteBatch that its transfer thread talks to. Progress,
// failures and success reach the interface thread as for a single write; the check
// before the write goes to the batch instead, which asks once for all its radios.
#pragma once

#include <functional>

#include "shell/frame_transfer_host.h"
#include "shell/write_batch.h"

namespace radio {

class BatchHost : public FrameTransferHost {
    Q_OBJECT
public:
    BatchHost(WriteBatch& batch, WriteBatch::Slot& slot, Handlers handlers);

    bool CheckBeforeWrite(const RadioReport& reported) override;
    bool AskRetry(const TransferError& error) override;

    // Runs the batch's question on the interface thread and waits for the answer;
    // false when the host was shut down first.
    bool Ask(const std::function<bool()>& question);

private:
    WriteBatch& m_batch;
    WriteBatch::Slot& m_slot;
};

}  // namespace radio
