#include "data/channel_plan.h"

#include <algorithm>

namespace radio {

int ChannelPlan::ChannelsToImport() const
{
    return int(std::count_if(channels.begin(), channels.end(),
                             [](const std::optional<ChannelBytes>& c) { return c.has_value(); }));
}

void ApplyChannelPlan(const ChannelPlan& plan, RadioData& data)
{
    if (!plan.ok()) {
        return;
    }
    const int count = std::min(plan.channelCount, kMaxChannels);
    for (int i = 0; i < count; ++i) {
        ChannelRecord channel = data.Channel(i);
        const std::optional<ChannelBytes>& bytes = plan.channels[std::size_t(i)];
        if (bytes) {
            std::copy(bytes->begin(), bytes->end(), channel.MutableBytes());
        } else {
            channel.Erase();
        }
    }
}

}  // namespace radio
