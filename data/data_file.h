// Data files (".tw"): the record's 1704-byte image, without header or checksum.
// This is the file's content only; opening and saving the file itself is
// config/file_reading.h and config/file_saving.h. Saving writes the whole image;
// opening takes back the port, the fourteen blocks with their addresses, the band and
// the model (the first 940 bytes). Having no header, a data file is recognised by what every file
// of this radio holds: each of the fourteen blocks at its fixed radio address (bytes 4 + 66k, high
// byte first) and band limits (bytes 928 and 932) that are one of the six bands. The
// model (byte 936) is free: any non-zero value means 16 channels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/radio_data.h"

namespace radio {

enum class FileStatus {
    Ok,
    OpenFailed,   // the file could not be opened or read, or is no regular file
    TooShort,     // fewer than 940 bytes: not a data file; the record is unchanged
    NotDataFile,  // a block away from its address or a band none of the six; unchanged
    WriteFailed,  // the file could not be written; an existing file is left as it was
};

// What a name is when it exists and is no regular file (nor a link to one).
enum class OddFile { None, Folder, Fifo, Device, Other };

struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::string detail;           // the system's reason (UTF-8), when there is one
    OddFile odd = OddFile::None;  // OpenFailed, WriteFailed: the name is no regular file
    std::uintmax_t size = 0;      // the file's size (for TooShort)
    // NotDataFile: the first block away from its fixed address and the address it
    // carries, or -1 when every block is in place and the band found is none of the six.
    int block = -1;
    std::uint16_t address = 0;
    std::int32_t bandLower = 0;
    std::int32_t bandUpper = 0;
    bool ok() const { return status == FileStatus::Ok; }
};

// The language table's text that says why (text::IsAFifo, ...); -1 for None.
int ReasonTextOf(OddFile odd);
// The failure (OpenFailed or WriteFailed) of a name that is `odd`, the English reason
// in its detail.
FileResult OddFileFailure(FileStatus status, OddFile odd);

// Whether the first 940 bytes of an image are a data file of this radio: Ok, TooShort
// with the size when there are fewer, or NotDataFile saying what is wrong.
FileResult RecogniseDataFile(const std::uint8_t* bytes, std::size_t size);

// Takes the bytes of a data file into `data`: the first 940 of them, when they are
// recognised (RecogniseDataFile); more are ignored. The radio-reported values and the
// reserved word keep their values. Anything but Ok changes nothing.
FileResult ParseDataFile(const std::uint8_t* bytes, std::size_t size, RadioData& data);
// What a data file of `data` holds: the whole 1704-byte image, the text area as filler.
std::array<std::uint8_t, image::kSize> DataFileBytes(const RadioData& data);

}  // namespace radio
