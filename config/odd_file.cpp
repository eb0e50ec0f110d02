#include "config/odd_file.h"

#include <sys/stat.h>

#include <QFile>

namespace radio {

OddFile OddFileAt(const QString& path)
{
    struct stat st {};
    // stat() follows a link to what it points at.
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return OddFile::None;
    }
    if (S_ISREG(st.st_mode)) {
        return OddFile::None;
    }
    if (S_ISDIR(st.st_mode)) {
        return OddFile::Folder;
    }
    if (S_ISFIFO(st.st_mode)) {
        return OddFile::Fifo;
    }
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
        return OddFile::Device;
    }
    return OddFile::Other;
}

}  // namespace radio
