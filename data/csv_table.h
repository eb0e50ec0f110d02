// Comma-separated text as spreadsheets and other radio programs write it: fields
// separated by commas; a field in double quotes may hold commas, line ends and quotes
// (doubled); lines end in CRLF, LF or CR. The text is UTF-8; a byte-order mark at the
// start is skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace radio {

struct CsvRecord {
    int row = 0;  // the line the record starts on, counted from 1
    std::vector<std::string> fields;
};

enum class CsvStatus {
    Ok,
    NotText,        // NUL or other control bytes, or not UTF-8
    UnclosedQuote,  // a quoted field runs to the end of the text
};

struct CsvTable {
    CsvStatus status = CsvStatus::Ok;
    int errorRow = 0;  // UnclosedQuote: the line on which the open field starts
    // Every record that holds something: lines that are empty or hold only empty
    // fields (",,,") are left out.
    std::vector<CsvRecord> records;
};

CsvTable ReadCsv(std::string_view text);

// One line of fields, each quoted when it holds a comma, a quote or a line end;
// ends in CRLF.
std::string CsvLine(const std::vector<std::string>& fields);

// Helpers for reading fields: blanks (spaces and tabs) cut at both ends, and
// comparison of ASCII words without regard to case.
std::string_view TrimBlanks(std::string_view text);
bool SameWord(std::string_view a, std::string_view b);

}  // namespace radio
