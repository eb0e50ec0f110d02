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
