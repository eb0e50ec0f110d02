// What the user is told when a file cannot be opened or saved, in the language of the
// table given: the desktop program passes the record's texts, radioprog-cli and the
// simulator the built-in English ones.
#pragma once

#include <QString>

#include "data/data_file.h"
#include "data/language_table.h"

namespace radio {

// The message for a failed LoadDataFile or ReadWholeFile of the file shown as
// `shownPath`.
QString OpenFailureText(const LanguageTable& texts, const QString& shownPath,
                        const FileResult& result);
// The message for a failed save (WriteFileAtomically, SaveDataFile).
QString SaveFailureText(const LanguageTable& texts, const QString& shownPath,
                        const FileResult& result);
// Why: the table's text for a name that is no regular file, the system's otherwise.
QString FailureReason(const LanguageTable& texts, const FileResult& result);

}  // namespace radio
