#include "config/file_reading.h"

#include <QFile>

#include "data/data_file.h"

namespace radio {

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& error, qint64 limit)
{
    const std::string odd = NotARegularFile(QFile::encodeName(path).toStdString());
    if (!odd.empty()) {
        error = QString::fromStdString(odd);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes = limit < 0 ? file.readAll() : file.read(limit);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace radio
