#include "cli/clone_codes.h"

#include "config/dtmf_code.h"
#include "config/file_messages.h"
#include "config/file_reading.h"
#include "config/fleet_codes.h"
#include "data/csv_table.h"

namespace radio::cli {

namespace {

const QString kDtmfRule =
    QStringLiteral("DTMF characters only (0-9, A-D, *, #), at most 16 of them");

bool CheckCode(const QString& code, const QString& where, QString& error)
{
    if (code.isEmpty() || !IsDtmfCode(code)) {
        error = code.isEmpty()
                    ? QStringLiteral("%1: no code given").arg(where)
                    : QStringLiteral("%1: %2 is not a code (%3)").arg(where, code, kDtmfRule);
        return false;
    }
    return true;
}

}  // namespace

bool CountedCodes(const QString& option, const QString& start, int count, QStringList& codes,
                  QString& error)
{
    switch (CountCodes(start, count, codes)) {
    case CodeStartError::None: return true;
    case CodeStartError::Empty:
        error = QStringLiteral("--%1 needs a first code").arg(option);
        break;
    case CodeStartError::NotDtmf:
        error = QStringLiteral("--%1 %2 is not a code (%3)").arg(option, start, kDtmfRule);
        break;
    case CodeStartError::NoDigits:
        error = QStringLiteral("--%1 %2 does not end in a digit: there is nothing to count")
                    .arg(option, start);
        break;
    case CodeStartError::TooLong:
        error = QStringLiteral("--%1 %2 for %3 radios would go past 16 characters")
                    .arg(option, start)
                    .arg(count);
        break;
    }
    return false;
}

bool ReadCodesFile(const QString& path, std::vector<CodesLine>& lines, QString& error)
{
    lines.clear();
    QByteArray bytes;
    if (const FileResult read = ReadWholeFile(path, bytes); !read.ok()) {
        error = OpenFailureText(LanguageTable(), path, read);
        return false;
    }
    const CsvTable table = ReadCsv(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (table.status != CsvStatus::Ok) {
        error =
            table.status == CsvStatus::NotText
                ? QStringLiteral("%1 is not text").arg(path)
                : QStringLiteral("%1 line %2: a quote is not closed").arg(path).arg(table.errorRow);
        return false;
    }
    for (const CsvRecord& record : table.records) {
        const QString where = QStringLiteral("%1 line %2").arg(path).arg(record.row);
        QStringList fields;
        for (const std::string& field : record.fields) {
            fields << QString::fromStdString(std::string(TrimBlanks(field)));
        }
        if (lines.empty() && &record == &table.records.front() &&
            fields.first().compare(QLatin1String("port"), Qt::CaseInsensitive) == 0) {
            continue;  // a header
        }
        if (fields.size() < 2 || fields.size() > 3 || fields.first().isEmpty()) {
            error = QStringLiteral("%1: give PORT,CODE1 or PORT,CODE1,CODE2").arg(where);
            return false;
        }
        CodesLine line;
        line.port = fields.at(0);
        line.code1 = fields.at(1);
        if (!CheckCode(line.code1, where, error)) {
            return false;
        }
        if (fields.size() == 3 && !fields.at(2).isEmpty()) {
            line.code2 = fields.at(2);
            if (!CheckCode(line.code2, where, error)) {
                return false;
            }
        }
        lines.push_back(line);
    }
    if (lines.empty()) {
        error = QStringLiteral("%1 holds no codes").arg(path);
        return false;
    }
    return true;
}

}  // namespace radio::cli
