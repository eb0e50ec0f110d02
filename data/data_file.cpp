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

FileResult WriteFileAtomically(const std::string& path, const std::uint8_t* bytes, std::size_t size)
{
    FileResult result;
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            result.status = FileStatus::WriteFailed;
            result.detail = std::strerror(errno);
            return result;
        }
        out.write(reinterpret_cast<const char*>(bytes), std::streamsize(size));
        out.flush();
        if (!out) {
            result.status = FileStatus::WriteFailed;
            result.detail = std::strerror(errno);
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return result;
        }
    }
    std::error_code error;
    fs::rename(temp, path, error);
    if (error) {
        result.status = FileStatus::WriteFailed;
        result.detail = error.message();
        std::error_code ignored;
        fs::remove(temp, ignored);
    }
    return result;
}

FileResult SaveDataFile(const std::string& path, const RadioData& data)
{
    const auto image = data.ToImage();
    return WriteFileAtomically(path, image.data(), image.size());
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
