// The one programming-data record: the radio's memory as fourteen 66-byte blocks,
// the serial port, the band and model of the data and of the radio last connected,
// and the language texts. Its byte image is the radio's memory and the .tw file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "data/channel_record.h"
#include "data/language_table.h"

namespace radio {

// Byte image of the record (little-endian throughout).
namespace image {
constexpr std::size_t kPort = 0;
constexpr std::size_t kBlock0000 = 4;
constexpr std::size_t kChannelBlocks = 70;  // channel block k at 70 + 66 * k
constexpr std::size_t kBlock0120 = 598;
constexpr std::size_t kBlock0110 = 664;
constexpr std::size_t kBlock0160 = 730;
constexpr std::size_t kBlock01B8 = 796;
constexpr std::size_t kBlock03C0 = 862;
constexpr std::size_t kBandLower = 928;
constexpr std::size_t kBandUpper = 932;
constexpr std::size_t kModel = 936;
constexpr std::size_t kRadioBandLower = 940;
constexpr std::size_t kRadioBandUpper = 944;
constexpr std::size_t kRadioModel = 948;
constexpr std::size_t kReserved = 952;
constexpr std::size_t kTextArea = 956;
constexpr std::size_t kSize = 1704;
// A data file gives back its first 940 bytes; the radio-reported values, the
// reserved word and the text area are never read from a file.
constexpr std::size_t kFileFieldsSize = 940;
}  // namespace image

constexpr int kBlockDataSize = 64;
constexpr int kBlockSize = 66;
constexpr int kChannelBlockCount = 8;
constexpr int kMaxChannels = 32;
constexpr int kNotReported = -1;

// Two radio address bytes and the 64 data bytes found at that address.
struct DataBlock {
    std::uint8_t addressHigh = 0;
    std::uint8_t addressLow = 0;
    std::array<std::uint8_t, kBlockDataSize> data{};

    std::uint16_t Address() const { return std::uint16_t(addressHigh << 8 | addressLow); }
    void SetAddress(std::uint16_t address);
    void Fill(std::uint8_t value) { data.fill(value); }
    bool operator==(const DataBlock& other) const;
};

// The blocks by name, in the order of the image.
enum class Block {
    B0000,
    Channel0,
    Channel1,
    Channel2,
    Channel3,
    Channel4,
    Channel5,
    Channel6,
    Channel7,
    B0120,  // optional features
    B0110,  // key settings
    B0160,  // scan settings; channel masks for channels 1-16
    B01B8,  // identity bytes; channel masks for channels 17-32
    B03C0,
};
constexpr int kBlockCount = 14;

// Where each block sits in the radio's memory after a reset.
std::uint16_t DefaultAddress(Block block);
std::size_t ImageOffset(Block block);
// How many quarters of a block a write sends, from quarter 0 (a quarter is 16 data
// bytes): blocks that overlap in the radio's memory send only the part they own.
int QuartersWritten(Block block);
inline Block ChannelBlock(int k)
{
    return Block(int(Block::Channel0) + k);
}

// Named bytes inside the blocks.
namespace bytes {
// Block 0x0160: channel masks of channels 1-16.
constexpr int kPresentMaskLow = 28;
constexpr int kScanMaskLow = 30;
// Block 0x01B8: identity bytes 0-7, channel masks of channels 17-32.
constexpr int kIdentity = 0;
constexpr int kIdentitySize = 8;
constexpr int kPresentMaskHigh = 12;
constexpr int kScanMaskHigh = 14;
}  // namespace bytes

struct RadioData {
    std::int32_t port = 1;  // 1 = COM1 ... 10 = COM10
    std::array<DataBlock, kBlockCount> blocks{};
    std::int32_t bandLower = 400;  // MHz
    std::int32_t bandUpper = 470;
    std::int32_t model = 1;  // non-zero: 16 channels, 0: 32 channels
    std::int32_t radioBandLower = kNotReported;
    std::int32_t radioBandUpper = kNotReported;
    std::int32_t radioModel = kNotReported;
    std::int32_t reserved = 30;
    LanguageTable texts;

    RadioData() { ResetRecord(true); }

    DataBlock& block(Block b) { return blocks[std::size_t(b)]; }
    const DataBlock& block(Block b) const { return blocks[std::size_t(b)]; }

    // Defaults of every block and the port. With the start-up flag also the band
    // (400-470 MHz), the model (16 channels), "no radio has reported yet" and the
    // reserved word; File New leaves those as they are.
    void ResetRecord(bool startup);

    int ChannelCount() const { return ChannelCountFor(model); }
    static int ChannelCountFor(std::int32_t model) { return model != 0 ? 16 : 32; }
    int ChannelBlocksInUse() const { return ChannelCount() / 4; }

    // Channel i (0-based) lies in channel block i / 4 at data byte 16 * (i % 4).
    ChannelRecord Channel(int index);
    ConstChannelRecord Channel(int index) const;
    static std::size_t ChannelImageOffset(int index);

    // Rebuilds the present and scan masks of the channels the model has; the bits
    // of channels the model does not have keep their values.
    void UpdateChannelMasks();

    // The radio identity bytes (block 0x01B8, bytes 0-7).
    std::array<std::uint8_t, bytes::kIdentitySize> Identity() const;

    // The 1704-byte image. The text area is written as zero filler.
    std::array<std::uint8_t, image::kSize> ToImage() const;
    // Takes the whole image back, apart from the text area.
    void FromImage(const std::uint8_t* image, std::size_t size);
    // Takes the fields a data file gives back: port, blocks, band and model (the
    // first 940 bytes). `size` must be at least image::kFileFieldsSize.
    void FromFileFields(const std::uint8_t* bytes, std::size_t size);
};

}  // namespace radio
