#include "link/block_plan.h"

#include <algorithm>

namespace radio {

std::vector<Block> ReadOrder(int channelBlocks)
{
    std::vector<Block> order{Block::B0000};
    for (int k = 0; k < channelBlocks; ++k) {
        order.push_back(ChannelBlock(k));
    }
    order.insert(order.end(), {Block::B0120, Block::B0110, Block::B0160, Block::B03C0});
    return order;
}

void TakeUnreadBlocks(RadioData& read, const RadioData& other)
{
    const std::vector<Block> order = ReadOrder(kChannelBlockCount);
    for (int n = 0; n < kBlockCount; ++n) {
        if (std::find(order.begin(), order.end(), Block(n)) == order.end()) {
            read.blocks[std::size_t(n)] = other.blocks[std::size_t(n)];
        }
    }
}

std::vector<QuarterPlan> WriteOrder(int channelBlocks)
{
    std::vector<QuarterPlan> order;
    order.push_back({Block::B0000, QuartersWritten(Block::B0000)});
    for (int k = 0; k < channelBlocks; ++k) {
        order.push_back({ChannelBlock(k), QuartersWritten(ChannelBlock(k))});
    }
    for (Block b : {Block::B0120, Block::B0110, Block::B0160, Block::B01B8, Block::B03C0}) {
        order.push_back({b, QuartersWritten(b)});
    }
    return order;
}

QString AddressText(int address)
{
    return QStringLiteral("0x") +
           QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString ByteText(int value)
{
    return QStringLiteral("0x") +
           QString::number(value & 0xFF, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QString BlockText(Block block)
{
    return QStringLiteral("block %1").arg(AddressText(DefaultAddress(block)));
}

}  // namespace radio
