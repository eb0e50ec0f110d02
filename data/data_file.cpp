#include "data/data_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "data/bands.h"
#include "data/language_table.h"

namespace radio {

namespace fs = std::filesystem;

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

OddFile OddFileAt(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);  // follows a link
    switch (status.type()) {
    case fs::file_type::not_found:
    case fs::file_type::none:
    case fs::file_type::regular: return OddFile::None;
    case fs::file_type::directory: return OddFile::Folder;
    case fs::file_type::fifo: return OddFile::Fifo;
    case fs::file_type::character:
    case fs::file_type::block: return OddFile::Device;
    default: return OddFile::Other;
    }
}

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

std::string WithDataFileExtension(const std::string& path)
{
    return path.find(".tw") == std::string::npos ? path + ".tw" : path;
}

FileResult LoadDataFile(const std::string& path, RadioData& data)
{
    FileResult result;
    // Looked at before it is opened: opening a FIFO would wait for a writer.
    if (const OddFile odd = OddFileAt(path); odd != OddFile::None) {
        return OddFileFailure(FileStatus::OpenFailed, odd);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.status = FileStatus::OpenFailed;
        result.detail = std::strerror(errno);
        return result;
    }
    std::vector<std::uint8_t> bytes(image::kFileFieldsSize);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    const auto got = std::size_t(in.gcount());
    if (in.bad()) {
        result.status = FileStatus::OpenFailed;
        result.detail = std::strerror(errno);
        return result;
    }
    result = RecogniseDataFile(bytes.data(), got);
    if (result.ok()) {
        data.FromFileFields(bytes.data(), bytes.size());
    }
    return result;
}

}  // namespace radio
