#include "config/language_file.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

namespace radio {

QString DecodeLanguageFile(const QByteArray& bytes)
{
    QByteArray content = bytes;
    if (content.startsWith("\xEF\xBB\xBF")) {
        content.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(content);
    if (!utf8.hasError()) {
        return text;
    }
    // Files written on a Chinese system by older tools use the GB18030 family. Without
    // state, as for UTF-8: a character cut off by the end of the file is an error, not
    // a start kept back for more bytes that never come (which would drop it silently).
    QStringDecoder gb("GB18030", QStringDecoder::Flag::Stateless);
    if (gb.isValid()) {
        QString decoded = gb.decode(content);
        if (!gb.hasError()) {
            return decoded;
        }
    }
    return QString::fromLatin1(content);
}

bool LoadLanguageText(const QByteArray& bytes, int column, LanguageTable& table,
                      LanguageNames& names)
{
    QStringList lines = DecodeLanguageFile(bytes).split(QLatin1Char('\n'));
    if (bytes.endsWith('\n')) {
        lines.removeLast();  // the line end of the last line opens no new line
    }
    if (lines.isEmpty()) {
        return false;
    }
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }

    // Header row: names until an empty field or the end of the line. Every comma
    // that ends a name counts one more language, so a final comma counts one extra.
    const QStringList header = lines.front().split(QLatin1Char(','));
    names.lastLanguageIndex = 0;
    for (int f = 0; f < header.size(); ++f) {
        if (header[f].isEmpty()) {
            break;
        }
        if (f < kMaxLanguages) {
            names.names[std::size_t(f)] = header[f].toStdString();
        }
        if (f + 1 < header.size()) {
            ++names.lastLanguageIndex;
        }
    }

    for (int i = 0; i < LanguageTable::Count() && i + 1 < lines.size(); ++i) {
        const QStringList fields = lines[i + 1].split(QLatin1Char(','));
        const QString field = column >= 0 && column < fields.size() ? fields[column] : QString();
        table.SetText(i, field.toStdString());
    }
    return true;
}

std::vector<LanguageTable> LoadEveryLanguage(const QString& path)
{
    std::vector<LanguageTable> tables;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return tables;
    }
    const QByteArray bytes = file.readAll();
    LanguageNames names;
    for (int column = 0; column < kMaxLanguages; ++column) {
        LanguageTable table;
        if (!LoadLanguageText(bytes, column, table, names) || column > names.lastLanguageIndex) {
            break;
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

namespace {

// A language table is text: UTF-8 or GB18030 lines without control characters other
// than tab and the line ends. NUL bytes mean UTF-16 (every ASCII character carries
// one) or binary data.
LanguageLoad TextProblem(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        return LanguageLoad::Utf16;
    }
    const qsizetype nulls = bytes.count('\0');
    if (nulls > 0) {
        // UTF-16 of mostly ASCII text: every second byte is NUL.
        return nulls * 3 >= bytes.size() ? LanguageLoad::Utf16 : LanguageLoad::NotText;
    }
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r') || u == 0x7F) {
            return LanguageLoad::NotText;
        }
    }
    QByteArray content = bytes;
    if (content.startsWith("\xEF\xBB\xBF")) {
        content.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)utf8.decode(content);
    if (!utf8.hasError()) {
        return LanguageLoad::Loaded;
    }
    QStringDecoder gb("GB18030", QStringDecoder::Flag::Stateless);
    if (gb.isValid()) {
        (void)gb.decode(content);
        if (!gb.hasError()) {
            return LanguageLoad::Loaded;
        }
    }
    return LanguageLoad::NotText;
}

}  // namespace

LanguageLoad LoadInterfaceLanguage(const QString& path, int column, LanguageTable& table,
                                   LanguageNames& names)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return LanguageLoad::Missing;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        return LanguageLoad::Missing;
    }
    const LanguageLoad problem = TextProblem(bytes);
    if (problem != LanguageLoad::Loaded) {
        table = LanguageTable();
        return problem;
    }
    // The header's own names, apart from the ones an earlier file left behind.
    LanguageNames header;
    LanguageTable scratch;
    LoadLanguageText(bytes, 0, scratch, header);
    int named = 0;
    while (named < kMaxLanguages && !header.names[std::size_t(named)].empty()) {
        ++named;
    }
    if (column < 0 || column >= named) {
        LoadLanguageText(bytes, 0, scratch, names);
        table = LanguageTable();
        return LanguageLoad::NoSuchColumn;
    }
    LoadLanguageText(bytes, column, table, names);
    return LanguageLoad::Loaded;
}

bool LoadLanguageFile(const QString& path, int column, LanguageTable& table, LanguageNames& names)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        return false;
    }
    return LoadLanguageText(bytes, column, table, names);
}

}  // namespace radio
