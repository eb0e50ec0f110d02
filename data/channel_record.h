// Typed access to one channel's 16 bytes inside a channel block.
//
//   bytes 0-3   receive frequency, 8 BCD digits in 10 Hz units; 0xFFFFFFFF = no channel
//   bytes 4-7   transmit frequency, same coding; 0xFFFFFFFF = none
//   bytes 8-9   receive tone code; 0xFFFF = off
//   bytes 10-11 transmit tone code
//   bytes 12-13 option word 12, bytes 14-15 option word 14 (bits below)
#pragma once

#include <cstdint>

namespace radio {

constexpr std::uint32_t kNoFrequency = 0xFFFFFFFF;
constexpr std::uint16_t kToneOff = 0xFFFF;
constexpr int kChannelRecordSize = 16;

// The option bits the channel table edits. Bandwidth, power, scan list and busy
// lock are shown as columns; the others are set only when a channel is created.
enum class ChannelOption {
    Wide,       // word 12 bit 13: 1 wide, 0 narrow
    HighPower,  // word 12 bit 12: 1 high, 0 low
    ScanAdd,    // word 14 bit 0: 1 in the scan list (feeds the scan mask)
    BusyLock,   // word 12 bit 3
    Option10,   // word 12 bit 14, not shown
    Option11,   // word 12 bit 0, not shown
};

struct OptionBit {
    int byte;  // 12..15 within the record
    int bit;   // bit within that byte
};
constexpr OptionBit OptionBitOf(ChannelOption option)
{
    switch (option) {
    case ChannelOption::Wide: return {13, 5};
    case ChannelOption::HighPower: return {13, 4};
    case ChannelOption::ScanAdd: return {14, 0};
    case ChannelOption::BusyLock: return {12, 3};
    case ChannelOption::Option10: return {13, 6};
    case ChannelOption::Option11: return {12, 0};
    }
    return {12, 0};
}

// Read-only view over the 16 bytes of one channel.
template <typename Byte>
class BasicChannelRecord {
public:
    explicit BasicChannelRecord(Byte* bytes) : m_bytes(bytes) {}

    std::uint32_t RxFrequency() const { return Word32(0); }
    std::uint32_t TxFrequency() const { return Word32(4); }
    std::uint16_t RxTone() const { return Word16(8); }
    std::uint16_t TxTone() const { return Word16(10); }
    std::uint16_t OptionWord12() const { return Word16(12); }
    std::uint16_t OptionWord14() const { return Word16(14); }
    bool Option(ChannelOption option) const
    {
        const OptionBit b = OptionBitOf(option);
        return (m_bytes[b.byte] >> b.bit) & 1;
    }
    // The 3-bit level in word 14 bits 13-15 (0..7, shown as "1".."8").
    int Level() const { return m_bytes[15] >> 5; }
    // Present: the receive frequency is not erased.
    bool IsPresent() const { return RxFrequency() != kNoFrequency; }
    bool IsErased() const
    {
        for (int i = 0; i < kChannelRecordSize; ++i) {
            if (m_bytes[i] != 0xFF) {
                return false;
            }
        }
        return true;
    }
    const std::uint8_t* Bytes() const { return m_bytes; }

protected:
    std::uint32_t Word32(int at) const
    {
        return std::uint32_t(m_bytes[at]) | std::uint32_t(m_bytes[at + 1]) << 8 |
               std::uint32_t(m_bytes[at + 2]) << 16 | std::uint32_t(m_bytes[at + 3]) << 24;
    }
    std::uint16_t Word16(int at) const { return std::uint16_t(m_bytes[at] | m_bytes[at + 1] << 8); }
    Byte* m_bytes;
};

using ConstChannelRecord = BasicChannelRecord<const std::uint8_t>;

class ChannelRecord : public BasicChannelRecord<std::uint8_t> {
public:
    using BasicChannelRecord::BasicChannelRecord;
    operator ConstChannelRecord() const { return ConstChannelRecord(m_bytes); }

    void SetRxFrequency(std::uint32_t word) { SetWord32(0, word); }
    void SetTxFrequency(std::uint32_t word) { SetWord32(4, word); }
    void SetRxTone(std::uint16_t code) { SetWord16(8, code); }
    void SetTxTone(std::uint16_t code) { SetWord16(10, code); }
    void SetOption(ChannelOption option, bool on)
    {
        const OptionBit b = OptionBitOf(option);
        m_bytes[b.byte] =
            std::uint8_t(on ? m_bytes[b.byte] | 1u << b.bit : m_bytes[b.byte] & ~(1u << b.bit));
    }
    void SetLevel(int level)
    {
        m_bytes[15] = std::uint8_t((m_bytes[15] & 0x1F) | (level & 7) << 5);
    }
    void Erase()
    {
        for (int i = 0; i < kChannelRecordSize; ++i) {
            m_bytes[i] = 0xFF;
        }
    }
    std::uint8_t* MutableBytes() { return m_bytes; }

private:
    void SetWord32(int at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) {
            m_bytes[at + i] = std::uint8_t(v >> (8 * i));
        }
    }
    void SetWord16(int at, std::uint16_t v)
    {
        m_bytes[at] = std::uint8_t(v);
        m_bytes[at + 1] = std::uint8_t(v >> 8);
    }
};

}  // namespace radio
