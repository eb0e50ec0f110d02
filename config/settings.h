// "sys.ini": three lines, "Com=COM%d", "DefaultLanguage=%d" and "Mode=%d", each ended
// by CR LF. A line counts by its first character alone ('C' port, 'D' language,
// 'M' model); its value is the number that starts at its first digit.
#pragma once

#include <QLocale>
#include <QString>
#include <string>

namespace radio {

struct Settings {
    int port = 1;      // 1 = COM1
    int language = 0;  // column of "lang.csv"
    int model = 1;     // non-zero: 16 channels
};

struct SettingsFileInfo {
    int classifiedLines = 0;  // lines beginning with 'C', 'D' or 'M'
    // The file did not hold exactly three such lines: the caller asks for the model
    // and band, takes the language from the locale and writes the file at once.
    bool firstRun = true;
};

// Applies every classified line of the file to `settings`; the last line of a kind wins.
SettingsFileInfo ReadSettingsFile(const QString& path, Settings& settings);
SettingsFileInfo ReadSettingsText(const std::string& content, Settings& settings);

// Writes the three lines through a temporary file; false when that failed.
bool SaveSettingsFile(const QString& path, const Settings& settings);
std::string SettingsText(const Settings& settings);

// Column 0 (the Chinese texts) on a Chinese system in China, column 1 elsewhere.
int LanguageColumnForLocale(const QLocale& locale);

}  // namespace radio
