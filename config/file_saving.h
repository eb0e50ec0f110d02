// Every file the programs write (data files, sys.ini, exports, backups) goes through
// QSaveFile: the bytes go to a temporary file of a unique name in the same folder,
// which then replaces the file in one step. A symbolic link is followed (its target is
// replaced and the link stays) and the file keeps its permissions. Every write, flush
// and the size written are checked before the commit: a save that fails or falls
// short (a full disk, the file size limit) leaves the old file byte for byte and no
// temporary file behind. A file that exists but may not be written, and a name that is
// no regular file (a FIFO, a device, a folder), are refused rather than replaced.
#pragma once

#include <QByteArray>
#include <QString>

#include "data/data_file.h"

namespace radio {

FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes);
// False for a file that exists and may not be written (or is a folder).
bool MayWriteFile(const QString& path);

// The record's 1704-byte image as a data file.
FileResult SaveDataFile(const QString& path, const RadioData& data);

// The save dialogs' name rule: ".tw" is appended when the file's own name does not
// end in it, in any case; the folders on the way do not count. radio -> radio.tw,
// RADIO.TW stays, a.tw.bak -> a.tw.bak.tw, x.tw/radio -> x.tw/radio.tw; a name that
// ends in a dot gets "tw" only (radio. -> radio.tw). A path that names no file (one
// ending in a slash) stays as it is.
QString WithDataFileExtension(const QString& path);

}  // namespace radio
