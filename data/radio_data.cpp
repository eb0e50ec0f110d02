#include "data/radio_data.h"

#include <algorithm>
#include <cassert>

namespace radio {

namespace {

void PutInt32(std::uint8_t* at, std::int32_t value)
{
    const auto v = std::uint32_t(value);
    for (int i = 0; i < 4; ++i) {
        at[i] = std::uint8_t(v >> (8 * i));
    }
}

std::int32_t GetInt32(const std::uint8_t* at)
{
    const std::uint32_t v = std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 |
                            std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24;
    return std::int32_t(v);
}

void PutBlock(std::uint8_t* at, const DataBlock& block)
{
    at[0] = block.addressHigh;
    at[1] = block.addressLow;
    std::copy(block.data.begin(), block.data.end(), at + 2);
}

void GetBlock(const std::uint8_t* at, DataBlock& block)
{
    block.addressHigh = at[0];
    block.addressLow = at[1];
    std::copy(at + 2, at + kBlockSize, block.data.begin());
}

// Factory contents of the feature blocks: {data byte, value}.
struct Preset {
    int byte;
    std::uint8_t value;
};
constexpr Preset kFeaturePresets[] = {
    {0, 0x31},  {1, 0x35},  {2, 0x39},  {12, 0},    {13, 0},    {14, 1},    {15, 1},
    {16, 7},    {17, 6},    {18, 2},    {19, 0},    {20, 5},    {21, 1},    {22, 1},
    {23, 0},    {24, 1},    {25, 1},    {26, 5},    {27, 1},    {28, 1},    {29, 0},
    {30, 0},    {31, 0},    {32, 0x31}, {33, 0x32}, {34, 0x33}, {35, 0x34}, {36, 0x35},
    {48, 0x35}, {49, 0x34}, {50, 0x33}, {51, 0x32}, {52, 0x31},
};
constexpr Preset kKeyPresets[] = {{10, 10}, {13, 0}};
constexpr Preset kScanPresets[] = {{0, 1}, {1, 1}, {2, 0x33}, {3, 0x33}, {4, 3},
                                   {5, 4}, {6, 0}, {7, 3},    {8, 0}};

template <std::size_t N>
void Apply(DataBlock& block, const Preset (&presets)[N])
{
    for (const Preset& p : presets) {
        block.data[std::size_t(p.byte)] = p.value;
    }
}

void SetMaskBit(std::uint8_t* low, int bit, bool on)
{
    std::uint16_t mask = std::uint16_t(low[0] | low[1] << 8);
    mask = std::uint16_t(on ? mask | 1u << bit : mask & ~(1u << bit));
    low[0] = std::uint8_t(mask);
    low[1] = std::uint8_t(mask >> 8);
}

}  // namespace

void DataBlock::SetAddress(std::uint16_t address)
{
    addressHigh = std::uint8_t(address >> 8);
    addressLow = std::uint8_t(address);
}

bool DataBlock::operator==(const DataBlock& other) const
{
    return addressHigh == other.addressHigh && addressLow == other.addressLow && data == other.data;
}

std::uint16_t DefaultAddress(Block block)
{
    switch (block) {
    case Block::B0000: return 0x0000;
    case Block::Channel0: return 0x0010;
    case Block::Channel1: return 0x0050;
    case Block::Channel2: return 0x0090;
    case Block::Channel3: return 0x00D0;
    case Block::Channel4: return 0x0200;
    case Block::Channel5: return 0x0240;
    case Block::Channel6: return 0x02C0;
    case Block::Channel7: return 0x0300;
    case Block::B0120: return 0x0120;
    case Block::B0110: return 0x0110;
    case Block::B0160: return 0x0160;
    case Block::B01B8: return 0x01B8;
    case Block::B03C0: return 0x03C0;
    }
    return 0;
}

int QuartersWritten(Block block)
{
    switch (block) {
    case Block::B0000: return 1;
    case Block::B0120: return 4;
    case Block::B0110: return 1;
    case Block::B0160: return 2;
    case Block::B01B8: return 1;
    case Block::B03C0: return 1;
    default: return 4;  // channel blocks
    }
}

std::size_t ImageOffset(Block block)
{
    // The blocks follow each other from offset 4 in the order of the enum.
    return image::kBlock0000 + std::size_t(block) * kBlockSize;
}

void RadioData::ResetRecord(bool startup)
{
    for (int b = 0; b < kBlockCount; ++b) {
        blocks[std::size_t(b)].SetAddress(DefaultAddress(Block(b)));
        blocks[std::size_t(b)].Fill(0xFF);
    }
    Apply(block(Block::B0120), kFeaturePresets);
    Apply(block(Block::B0110), kKeyPresets);
    Apply(block(Block::B0160), kScanPresets);
    port = 1;
    if (startup) {
        bandLower = 400;
        bandUpper = 470;
        model = 1;
        radioBandLower = kNotReported;
        reserved = 30;
    }
}

std::size_t RadioData::ChannelImageOffset(int index)
{
    return 72 + 66 * std::size_t(index / 4) + 16 * std::size_t(index % 4);
}

ChannelRecord RadioData::Channel(int index)
{
    assert(index >= 0 && index < kMaxChannels);
    return ChannelRecord(block(ChannelBlock(index / 4)).data.data() + 16 * (index % 4));
}

ConstChannelRecord RadioData::Channel(int index) const
{
    assert(index >= 0 && index < kMaxChannels);
    return ConstChannelRecord(block(ChannelBlock(index / 4)).data.data() + 16 * (index % 4));
}

void RadioData::UpdateChannelMasks()
{
    for (int i = 0; i < ChannelCount(); ++i) {
        const ConstChannelRecord channel = Channel(i);
        const bool present = channel.IsPresent();
        const bool scan = present && channel.Option(ChannelOption::ScanAdd);
        DataBlock& masks = i < 16 ? block(Block::B0160) : block(Block::B01B8);
        const int presentAt = i < 16 ? bytes::kPresentMaskLow : bytes::kPresentMaskHigh;
        const int scanAt = i < 16 ? bytes::kScanMaskLow : bytes::kScanMaskHigh;
        SetMaskBit(&masks.data[std::size_t(presentAt)], i % 16, present);
        SetMaskBit(&masks.data[std::size_t(scanAt)], i % 16, scan);
    }
}

std::array<std::uint8_t, bytes::kIdentitySize> RadioData::Identity() const
{
    std::array<std::uint8_t, bytes::kIdentitySize> id{};
    std::copy_n(block(Block::B01B8).data.begin() + bytes::kIdentity, id.size(), id.begin());
    return id;
}

std::array<std::uint8_t, image::kSize> RadioData::ToImage() const
{
    std::array<std::uint8_t, image::kSize> out{};
    PutInt32(&out[image::kPort], port);
    for (int b = 0; b < kBlockCount; ++b) {
        PutBlock(&out[ImageOffset(Block(b))], blocks[std::size_t(b)]);
    }
    PutInt32(&out[image::kBandLower], bandLower);
    PutInt32(&out[image::kBandUpper], bandUpper);
    PutInt32(&out[image::kModel], model);
    PutInt32(&out[image::kRadioBandLower], radioBandLower);
    PutInt32(&out[image::kRadioBandUpper], radioBandUpper);
    PutInt32(&out[image::kRadioModel], radioModel);
    PutInt32(&out[image::kReserved], reserved);
    // The text area stays zero: in a file it is filler that no reader looks at.
    return out;
}

void RadioData::FromFileFields(const std::uint8_t* bytes, std::size_t size)
{
    assert(size >= image::kFileFieldsSize);
    (void)size;
    port = GetInt32(bytes + image::kPort);
    for (int b = 0; b < kBlockCount; ++b) {
        GetBlock(bytes + ImageOffset(Block(b)), blocks[std::size_t(b)]);
    }
    bandLower = GetInt32(bytes + image::kBandLower);
    bandUpper = GetInt32(bytes + image::kBandUpper);
    model = GetInt32(bytes + image::kModel);
}

void RadioData::FromImage(const std::uint8_t* bytes, std::size_t size)
{
    assert(size >= image::kTextArea);
    FromFileFields(bytes, size);
    radioBandLower = GetInt32(bytes + image::kRadioBandLower);
    radioBandUpper = GetInt32(bytes + image::kRadioBandUpper);
    radioModel = GetInt32(bytes + image::kRadioModel);
    reserved = GetInt32(bytes + image::kReserved);
}

}  // namespace radio
