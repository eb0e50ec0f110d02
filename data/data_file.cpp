#include "data/data_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace radio {

namespace fs = std::filesystem;

std::string WithDataFileExtension(const std::string& path)
{
    return path.find(".tw") == std::string::npos ? path + ".tw" : path;
}

FileResult LoadDataFile(const std::string& path, RadioData& data)
{
    FileResult result;
    std::error_code error;
    if (fs::is_directory(path, error)) {
        result.status = FileStatus::OpenFailed;
        result.detail = std::strerror(EISDIR);
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
