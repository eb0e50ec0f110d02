// "lang.csv" made of any bytes. The file is UTF-8 (a byte-order mark is skipped) or,
// when it is not valid UTF-8, GB18030, the code page of the original files. Whatever
// the encoding, a line feed and a comma are single bytes that no multi-byte character
// contains, so decoding must keep the file's shape: which line a text is on, which
// column, whether a field is empty. The checks work on the raw bytes, not on what
// the decoder made of them:
//   - text #i is empty exactly when the byte field of line i + 2 in the column is
//     empty (a CR before the line feed is not part of it; an extended text falls
//     back to its English wording instead of being empty); texts beyond the file's
//     lines keep what they held; no text holds a comma or a line feed;
//   - the header gives the names up to its first empty field and the last language
//     index counts their commas; names beyond keep what they held;
//   - a file of valid UTF-8 is read as UTF-8: every text is its bytes unchanged
//     (a byte-order mark at the start is skipped, and in UTF-8 a second one too).
#include <QByteArray>
#include <QList>
#include <string>

#include "config/language_file.h"
#include "tests/fuzz/record_invariants.h"

using namespace radio;
using namespace radio::test;

namespace {

// No text or name can hold a line feed, so none can look like this one.
const std::string kKept = "kept\nfrom before";

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsUtf8(const QByteArray& bytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned c = s[i];
        int more = 0;
        unsigned min = 0;
        unsigned cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            more = 1, min = 0x80, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2, min = 0x800, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80) {
                return false;
            }
            cp = cp << 6 | (s[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += more + 1;
    }
    return true;
}

struct ByteLines {
    QList<QByteArray> lines;
    bool utf8;
};

ByteLines Lines(const QByteArray& file)
{
    QByteArray content = file;
    if (content.startsWith("\xEF\xBB\xBF")) {
        content.remove(0, 3);
    }
    const bool utf8 = IsUtf8(content);
    if (utf8 && content.startsWith("\xEF\xBB\xBF")) {
        content.remove(0, 3);  // UTF-8 reading skips a second mark as well
    }
    ByteLines out{content.split('\n'), utf8};
    if (file.endsWith('\n')) {
        out.lines.removeLast();
    }
    for (QByteArray& line : out.lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    return out;
}

void CheckColumn(const QByteArray& file, const ByteLines& bytes, int column, Violations& out)
{
    LanguageTable table;
    LanguageNames names;
    for (int n = 0; n < LanguageTable::Count(); ++n) {
        table.SetText(n, kKept);
    }
    names.names.fill(kKept);
    if (!LoadLanguageText(file, column, table, names)) {
        return;  // nothing to check beyond the table being as it was
    }
    const std::string where = "column " + std::to_string(column) + ": ";

    const QList<QByteArray> header = bytes.lines.value(0).split(',');
    int named = 0;
    while (named < header.size() && !header[named].isEmpty()) {
        ++named;
    }
    const int lastIndex = named == 0 ? 0 : named - 1 + (named < header.size() ? 1 : 0);
    if (names.lastLanguageIndex != lastIndex) {
        out.push_back(where + "last language index " + std::to_string(names.lastLanguageIndex) +
                      " instead of " + std::to_string(lastIndex));
    }
    for (int f = 0; f < kMaxLanguages; ++f) {
        const std::string& name = names.names[std::size_t(f)];
        if (f < named ? name.empty() || name == kKept : name != kKept) {
            out.push_back(where + "language name " + std::to_string(f) + " is \"" + name + "\"");
        }
    }

    for (int i = 0; i < LanguageTable::Count(); ++i) {
        const std::string& text = table.Text(i);
        if (i + 1 >= bytes.lines.size()) {
            if (text != kKept) {
                out.push_back(where + "text #" + std::to_string(i) + " beyond the file changed");
            }
            continue;
        }
        const QList<QByteArray> fields = bytes.lines[i + 1].split(',');
        const QByteArray field =
            column >= 0 && column < fields.size() ? fields[column] : QByteArray();
        // An extended text that the file leaves empty falls back to the English one.
        const bool fallback = field.isEmpty() && text == LanguageTable::Fallback(i);
        if ((text.empty() != field.isEmpty() && !fallback) ||
            text.find_first_of(",\n") != std::string::npos) {
            out.push_back(where + "text #" + std::to_string(i) + " is \"" + text +
                          "\" for the field \"" + field.toStdString() + "\"");
        } else if (bytes.utf8 && !fallback && text != field.toStdString()) {
            out.push_back(where + "text #" + std::to_string(i) + " of a UTF-8 file changed");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    const ByteLines bytes = Lines(file);
    Violations found;
    // The two columns of the program's file, and one that a sys.ini may name.
    for (const int column : {0, 1, size > 0 ? int(data[0] % 8) - 1 : 5}) {
        CheckColumn(file, bytes, column, found);
    }
    AbortOn(found, "lang.csv");
    return 0;
}
