#include "data/data_file.h"

#include "data/bands.h"
#include "data/language_table.h"

namespace radio {

namespace {

std::int32_t Int32At(const std::uint8_t* bytes)
{
    return std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                        std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
}

bool IsOneOfTheBands(std::int32_t lower, std::int32_t upper)
{
    const Band band = BandOfLower(lower);
    return band.lower != 0 && band.upper == upper;
}

}  // namespace

int ReasonTextOf(OddFile odd)
{
    switch (odd) {
    case OddFile::None: return -1;
    case OddFile::Folder: return text::IsAFolder;
    case OddFile::Fifo: return text::IsAFifo;
    case OddFile::Device: return text::IsADevice;
    case OddFile::Other: break;
    }
    return text::IsNoRegularFile;
}

FileResult OddFileFailure(FileStatus status, OddFile odd)
{
    FileResult result;
    result.status = status;
    result.odd = odd;
    result.detail = LanguageTable::Fallback(ReasonTextOf(odd));
    return result;
}

FileResult RecogniseDataFile(const std::uint8_t* bytes, std::size_t size)
{
    FileResult result;
    if (size < image::kFileFieldsSize) {
        result.status = FileStatus::TooShort;
        result.size = size;
        return result;
    }
    for (int b = 0; b < kBlockCount; ++b) {
        const std::uint8_t* at = bytes + ImageOffset(Block(b));
        const auto address = std::uint16_t(at[0] << 8 | at[1]);
        if (address != DefaultAddress(Block(b))) {
            result.status = FileStatus::NotDataFile;
            result.block = b;
            result.address = address;
            return result;
        }
    }
    const std::int32_t lower = Int32At(bytes + image::kBandLower);
    const std::int32_t upper = Int32At(bytes + image::kBandUpper);
    if (!IsOneOfTheBands(lower, upper)) {
        result.status = FileStatus::NotDataFile;
        result.bandLower = lower;
        result.bandUpper = upper;
    }
    return result;
}

FileResult ParseDataFile(const std::uint8_t* bytes, std::size_t size, RadioData& data)
{
    const FileResult result = RecogniseDataFile(bytes, size);
    if (result.ok()) {
        data.FromFileFields(bytes, image::kFileFieldsSize);
    }
    return result;
}

std::array<std::uint8_t, image::kSize> DataFileBytes(const RadioData& data)
{
    return data.ToImage();
}

}  // namespace radio
