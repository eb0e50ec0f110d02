// Reading a whole file the user named (a CSV channel plan, a raw memory image): a
// name that is no regular file is refused before it is opened, since opening a FIFO
// would wait for a writer and a device may never end.
#pragma once

#include <QByteArray>
#include <QString>

namespace radio {

// False with the reason in `error` when the file cannot be read; at most `limit`
// bytes are read (-1: all of it).
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& error, qint64 limit = -1);

}  // namespace radio
