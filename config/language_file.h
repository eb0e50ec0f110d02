// Loading "lang.csv": a header row naming the languages, then one line per text with
// one comma-separated field per language. No quoting: a text cannot hold a comma.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "data/language_table.h"

namespace radio {

constexpr int kMaxLanguages = 32;

struct LanguageNames {
    std::array<std::string, kMaxLanguages> names;
    // Index of the last language column of the header row; one more when the row
    // ends with a comma. Used to number the background pictures.
    int lastLanguageIndex = 0;
};

// Loads column `column` of the file into `table`. Texts beyond the file's last line,
// and names beyond the header's, keep what they held. Returns false, changing
// nothing, when the file cannot be read or has no first line.
bool LoadLanguageFile(const QString& path, int column, LanguageTable& table, LanguageNames& names);

// The same from the file's bytes: UTF-8 (a byte-order mark is skipped), or GB18030
// when the bytes are not valid UTF-8.
bool LoadLanguageText(const QByteArray& bytes, int column, LanguageTable& table,
                      LanguageNames& names);

QString DecodeLanguageFile(const QByteArray& bytes);

// What loading the interface's language found.
enum class LanguageLoad {
    Loaded,        // the column's texts were taken
    Missing,       // no file, or an empty one: nothing changed
    NoSuchColumn,  // the header names no language in that column
    Utf16,         // the file is UTF-16 text, not UTF-8 or GB18030
    NotText,       // the file holds bytes no language table holds (binary data)
};

// The interface's texts: as LoadLanguageFile, but a column the header does not name, or
// a file that is no language table, leaves `table` with the built-in English texts
// instead of blanking it (the menus must stay usable). The header's names are taken
// whenever the file is text, so that the language dialog can offer them.
LanguageLoad LoadInterfaceLanguage(const QString& path, int column, LanguageTable& table,
                                   LanguageNames& names);

// Every language column of the file, each as a table (empty when the file cannot be
// read): pasted texts may come from any of them.
std::vector<LanguageTable> LoadEveryLanguage(const QString& path);

}  // namespace radio
