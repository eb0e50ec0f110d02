#include "data/data_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace radio {

namespace fs = std::filesystem;

std::string NotARegularFile(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);  // follows a link
    switch (status.type()) {
    case fs::file_type::not_found:
    case fs::file_type::none:
    case fs::file_type::regular: return std::string();
    case fs::file_type::directory: return "it is a folder, not a regular file";
    case fs::file_type::fifo: return "it is a FIFO, not a regular file";
    case fs::file_type::character:
    case fs::file_type::block: return "it is a device, not a regular file";
    case fs::file_type::socket: return "it is a socket, not a regular file";
    default: return "it is not a regular file";
    }
}

std::string WithDataFileExtension(const std::string& path)
{
    return path.find(".tw") == std::string::npos ? path + ".tw" : path;
}

FileResult LoadDataFile(const std::string& path, RadioData& data)
{
    FileResult result;
    // Looked at before it is opened: opening a FIFO would wait for a writer.
    if (const std::string odd = NotARegularFile(path); !odd.empty()) {
        result.status = FileStatus::OpenFailed;
        result.detail = odd;
        return result;
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
    if (got < image::kFileFieldsSize) {
        result.status = FileStatus::TooShort;
        result.size = got;
        return result;
    }
    data.FromFileFields(bytes.data(), bytes.size());
    return result;
}

}  // namespace radio
