// Names that may be neither read nor replaced as a file.
#pragma once

#include <QString>

#include "data/data_file.h"

namespace radio {

// What `path` is when it exists and is no regular file, nor a link to one. Opening a
// FIFO for reading would wait for a writer, and replacing a device or a FIFO would put
// a plain file in its place. None for a regular file and for a name that does not
// exist (or cannot be looked at: opening it then says why).
OddFile OddFileAt(const QString& path);

}  // namespace radio
