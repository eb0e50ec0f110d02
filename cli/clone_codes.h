// The codes clone gives each radio: counted from --code1/--code2 START, or read from
// --codes FILE, a line per radio: PORT,CODE1[,CODE2] (a first line "port,..." is taken
// as a header). Everything is checked before any radio is written.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace radio::cli {

struct CodesLine {
    QString port;  // as the file gives it
    QString code1;
    QString code2;  // null: the data file's Code 2
};

// `count` codes from --<option> START; false with `error` set when one of them would
// not be a DTMF code.
bool CountedCodes(const QString& option, const QString& start, int count, QStringList& codes,
                  QString& error);

// The lines of a codes file; false with `error` set (naming the line) when the file
// cannot be read or a line is not PORT,CODE1[,CODE2] with DTMF codes.
bool ReadCodesFile(const QString& path, std::vector<CodesLine>& lines, QString& error);

}  // namespace radio::cli
