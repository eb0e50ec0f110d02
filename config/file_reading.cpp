#include "config/file_reading.h"

#include <QFile>

#include "config/odd_file.h"

namespace radio {

namespace {

FileResult OpenFailed(const QString& detail)
{
    FileResult result;
    result.status = FileStatus::OpenFailed;
    result.detail = detail.toStdString();
    return result;
}

}  // namespace

FileResult ReadWholeFile(const QString& path, QByteArray& bytes, qint64 limit)
{
    if (const OddFile odd = OddFileAt(path); odd != OddFile::None) {
        return OddFileFailure(FileStatus::OpenFailed, odd);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return OpenFailed(file.errorString());
    }
    bytes = limit < 0 ? file.readAll() : file.read(limit);
    if (file.error() != QFileDevice::NoError) {
        return OpenFailed(file.errorString());
    }
    return FileResult{};
}

FileResult LoadDataFile(const QString& path, RadioData& data)
{
    QByteArray bytes;
    if (FileResult read = ReadWholeFile(path, bytes, qint64(image::kFileFieldsSize)); !read.ok()) {
        return read;
    }
    return ParseDataFile(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         std::size_t(bytes.size()), data);
}

}  // namespace radio
