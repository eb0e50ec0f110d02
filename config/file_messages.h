// What the user is told when a data file cannot be opened, in the language of the
// table given: the desktop program passes the record's texts, radioprog-cli and the
// simulator the built-in English ones.
#pragma once

#include <QString>

#include "data/data_file.h"
#include "data/language_table.h"

namespace radio {

// The message for a failed LoadDataFile of the file shown as `shownPath`.
QString OpenFailureText(const LanguageTable& texts, const QString& shownPath,
                        const FileResult& result);

}  // namespace radio
