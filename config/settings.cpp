#include "config/settings.h"

#include <sstream>

#include "config/file_reading.h"
#include "config/file_saving.h"

namespace radio {

namespace {

// The number that begins at the first digit of the line; 0 when there is none.
int LineValue(const std::string& line)
{
    const std::size_t first = line.find_first_of("0123456789");
    if (first == std::string::npos) {
        return 0;
    }
    long value = 0;
    for (std::size_t i = first; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > 99999999) {
            break;  // far beyond any setting; keeps the value an int
        }
    }
    return int(value);
}

}  // namespace

SettingsFileInfo ReadSettingsText(const std::string& content, Settings& settings)
{
    SettingsFileInfo info;
    std::istringstream in(content);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        switch (line.front()) {
        case 'C': settings.port = LineValue(line); break;
        case 'D': settings.language = LineValue(line); break;
        case 'M': settings.model = LineValue(line); break;
        default: continue;
        }
        ++info.classifiedLines;
    }
    info.firstRun = info.classifiedLines != 3;
    return info;
}

SettingsFileInfo ReadSettingsFile(const QString& path, Settings& settings)
{
    // A sys.ini that is a FIFO or a device is never opened (the start would wait for a
    // writer); like a missing or unreadable one, it makes this a first run. Three short
    // lines are all it holds, so a huge file is not read to its end.
    constexpr qint64 kLongestSettingsFile = 64 * 1024;
    QByteArray content;
    if (!ReadWholeFile(path, content, kLongestSettingsFile).ok()) {
        return SettingsFileInfo{};
    }
    return ReadSettingsText(content.toStdString(), settings);
}

std::string SettingsText(const Settings& settings)
{
    return "Com=COM" + std::to_string(settings.port) +
           "\r\nDefaultLanguage=" + std::to_string(settings.language) +
           "\r\nMode=" + std::to_string(settings.model) + "\r\n";
}

bool SaveSettingsFile(const QString& path, const Settings& settings)
{
    // A read-only sys.ini is the user's way of keeping the settings as they are.
    if (!MayWriteFile(path)) {
        return false;
    }
    const std::string text = SettingsText(settings);
    return WriteFileAtomically(path, QByteArray::fromStdString(text)).ok();
}

int LanguageColumnForLocale(const QLocale& locale)
{
    return locale.language() == QLocale::Chinese && locale.territory() == QLocale::China ? 0 : 1;
}

}  // namespace radio
