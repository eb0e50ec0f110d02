// Data files (".tw"): the record's 1704-byte image, without header or checksum.
// Saving writes the whole image (config/file_saving.h); opening takes back the port,
// the fourteen blocks with their addresses, the band and the model (the first 940
// bytes).
#pragma once

#include <cstdint>
#include <string>

#include "data/radio_data.h"

namespace radio {

enum class FileStatus {
    Ok,
    OpenFailed,   // the file could not be opened or read, or is no regular file
    TooShort,     // fewer than 940 bytes: not a data file; the record is unchanged
    WriteFailed,  // the file could not be written; an existing file is left as it was
};

struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::string detail;       // the system's reason, when there is one
    std::uintmax_t size = 0;  // the file's size (for TooShort)
    bool ok() const { return status == FileStatus::Ok; }
};

// Why `path` may be neither read nor replaced as a file ("it is a FIFO, not a regular
// file"): it exists and is no regular file, nor a link to one. Opening a FIFO for
// reading would wait for a writer, and replacing a device or a FIFO would put a plain
// file in its place. Empty for a regular file and for a name that does not exist.
std::string NotARegularFile(const std::string& path);

// The save dialogs' name rule: ".tw" is appended unless the path already contains
// ".tw" somewhere (case-sensitive): radio -> radio.tw, a.tw.bak stays, RADIO.TW -> RADIO.TW.tw.
std::string WithDataFileExtension(const std::string& path);

// Reads a data file into `data`. The radio-reported values and the reserved word
// keep their values. A file that is no regular file is not opened; one shorter than
// 940 bytes changes nothing.
FileResult LoadDataFile(const std::string& path, RadioData& data);

}  // namespace radio
