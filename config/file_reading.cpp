#include "config/file_reading.h"

#include <QFile>

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
    if (const OddFile odd = OddFileAt(QFile::encodeName(path).toStdString());
        odd != OddFile::None) {
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

}  // namespace radio
