// Reading a file the user named (a data file, a CSV channel plan, a raw memory
// image): a name that is no regular file is refused before it is opened, since opening
// a FIFO would wait for a writer and a device may never end.
#pragma once

#include <QByteArray>
#include <QString>

#include "data/data_file.h"
#include "data/radio_data.h"

namespace radio {

// Ok with the file in `bytes`, or OpenFailed with the reason (config/file_messages.h
// words it); at most `limit` bytes are read (-1: all of it).
FileResult ReadWholeFile(const QString& path, QByteArray& bytes, qint64 limit = -1);

// Opens the data file at `path` into `data` (ParseDataFile): a file that cannot be
// read, is shorter than 940 bytes or is not recognised changes nothing.
FileResult LoadDataFile(const QString& path, RadioData& data);

}  // namespace radio
