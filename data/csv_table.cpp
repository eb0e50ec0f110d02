#include "data/csv_table.h"

#include <cstdint>

namespace radio {

namespace {

// Well-formed UTF-8 without NUL and without the control bytes that no text file holds
// (tab, line ends and form feed are allowed).
bool IsText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = std::uint8_t(text[i]);
        if (c < 0x20) {
            if (c != '\t' && c != '\n' && c != '\r' && c != '\f') {
                return false;
            }
            ++i;
            continue;
        }
        if (c < 0x80) {
            ++i;
            continue;
        }
        int follow = 0;
        std::uint32_t code = 0;
        if ((c & 0xE0) == 0xC0) {
            follow = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + std::size_t(follow) >= text.size()) {
            return false;
        }
        for (int k = 1; k <= follow; ++k) {
            const auto b = std::uint8_t(text[i + std::size_t(k)]);
            if ((b & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (b & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond U+10FFFF.
        constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (code < kLeast[follow] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            return false;
        }
        i += std::size_t(follow) + 1;
    }
    return true;
}

bool HoldsSomething(const std::vector<std::string>& fields)
{
    for (const std::string& f : fields) {
        if (!f.empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

CsvTable ReadCsv(std::string_view text)
{
    CsvTable table;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    if (!IsText(text)) {
        table.status = CsvStatus::NotText;
        return table;
    }

    int line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    // Steps over one line end (CRLF counts once) at i, if there is one.
    auto lineEnd = [&]() {
        if (i < n && text[i] == '\r') {
            ++i;
            if (i < n && text[i] == '\n') {
                ++i;
            }
            ++line;
            return true;
        }
        if (i < n && text[i] == '\n') {
            ++i;
            ++line;
            return true;
        }
        return false;
    };

    while (i < n) {
        CsvRecord record;
        record.row = line;
        bool recordDone = false;
        while (!recordDone) {
            std::string field;
            if (i < n && text[i] == '"') {
                const int openedOn = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    const char c = text[i];
                    if (c == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == '\r' || c == '\n') {
                        // A line end inside the quotes belongs to the field.
                        const std::size_t from = i;
                        lineEnd();
                        field.append(text.substr(from, i - from));
                        continue;
                    }
                    field += c;
                    ++i;
                }
                if (!closed) {
                    table.status = CsvStatus::UnclosedQuote;
                    table.errorRow = openedOn;
                    table.records.clear();
                    return table;
                }
            }
            // Unquoted text, or what follows a closing quote up to the next comma.
            while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
                field += text[i];
                ++i;
            }
            record.fields.push_back(std::move(field));
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            lineEnd();
            recordDone = true;
        }
        if (HoldsSomething(record.fields)) {
            table.records.push_back(std::move(record));
        }
    }
    return table;
}

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) {
            line += ',';
        }
        const std::string& f = fields[k];
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            line += f;
            continue;
        }
        line += '"';
        for (char c : f) {
            if (c == '"') {
                line += '"';
            }
            line += c;
        }
        line += '"';
    }
    line += "\r\n";
    return line;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace radio
