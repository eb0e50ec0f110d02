// "sys.ini" made of any bytes. A line counts by its first character alone ('C' port,
// 'D' language column, 'M' model), its value is the number that begins at its first
// digit, and the last line of a kind wins. What must hold:
//   - the count of such lines is the count in the bytes, and the file is complete
//     exactly when it is 3;
//   - a setting without a line keeps its value; one with a line gets that line's
//     number (0 without digits), never a negative one: a number up to 99999999
//     exactly, a larger one as something above every real setting;
//   - what the program writes back reads back the same, as a complete file;
//   - whatever the values, the program can use them: 16 or 32 channels by the model,
//     and the language column loads texts or empty ones.
#include <QByteArray>
#include <string>

#include "config/language_file.h"
#include "config/settings.h"
#include "tests/fuzz/memory_file.h"
#include "tests/fuzz/record_invariants.h"

using namespace radio;
using namespace radio::test;

namespace {

constexpr int kUnset = -7;

struct Expected {
    int lines = 0;
    bool has[3] = {false, false, false};
    long long value[3] = {0, 0, 0};  // -1: above 99999999
};

int KindOf(char c)
{
    return c == 'C' ? 0 : c == 'D' ? 1 : c == 'M' ? 2 : -1;
}

Expected Expect(const std::string& file)
{
    Expected e;
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = file.find('\n', start);
        if (end == std::string::npos) {
            end = file.size();
        }
        const std::string line = file.substr(start, end - start);
        start = end + 1;
        const int kind = line.empty() ? -1 : KindOf(line[0]);
        if (kind < 0) {
            continue;
        }
        ++e.lines;
        e.has[kind] = true;
        const std::size_t digit = line.find_first_of("0123456789");
        long long value = 0;
        for (std::size_t i = digit;
             digit != std::string::npos && i < line.size() && line[i] >= '0' && line[i] <= '9';
             ++i) {
            value = value * 10 + (line[i] - '0');
            if (value > 99999999) {
                value = -1;
                break;
            }
        }
        e.value[kind] = value;
    }
    return e;
}

void CheckValue(const char* name, int got, bool has, long long expected, Violations& out)
{
    const bool ok = !has ? got == kUnset : expected >= 0 ? got == expected : got > 99999999;
    if (!ok) {
        out.push_back(std::string(name) + " is " + std::to_string(got) + ", expected " +
                      (has ? std::to_string(expected) : "unchanged"));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MemoryFile file(data, size);
    Settings settings{kUnset, kUnset, kUnset};
    const SettingsFileInfo info = ReadSettingsFile(QString::fromStdString(file.Path()), settings);
    const Expected e = Expect(std::string(reinterpret_cast<const char*>(data), size));

    Violations found;
    if (info.classifiedLines != e.lines || info.firstRun != (e.lines != 3)) {
        found.push_back("counted " + std::to_string(info.classifiedLines) + " lines of " +
                        std::to_string(e.lines) + (info.firstRun ? ", first run" : ""));
    }
    CheckValue("port", settings.port, e.has[0], e.value[0], found);
    CheckValue("language", settings.language, e.has[1], e.value[1], found);
    CheckValue("model", settings.model, e.has[2], e.value[2], found);

    // Written back with the program's defaults where the file had no line.
    Settings used = settings;
    const Settings defaults;
    used.port = used.port == kUnset ? defaults.port : used.port;
    used.language = used.language == kUnset ? defaults.language : used.language;
    used.model = used.model == kUnset ? defaults.model : used.model;
    Settings again{kUnset, kUnset, kUnset};
    const std::string written = SettingsText(used);
    const SettingsFileInfo reread = ReadSettingsText(written, again);
    if (reread.firstRun || again.port != used.port || again.language != used.language ||
        again.model != used.model) {
        found.push_back("what is written back does not read back: " + written);
    }

    const int channels = RadioData::ChannelCountFor(used.model);
    if (channels != 16 && channels != 32) {
        found.push_back("model " + std::to_string(used.model) + " gives " +
                        std::to_string(channels) + " channels");
    }
    LanguageTable table;
    LanguageNames names;
    LoadLanguageText("en,zh\nOpen,\xE6\x89\x93\xE5\xBC\x80\n", used.language, table, names);
    const bool known = used.language == 0 || used.language == 1;
    if (table.Text(text::RadioData).empty() == known) {
        found.push_back("language column " + std::to_string(used.language) + " gives \"" +
                        table.Text(text::RadioData) + "\"");
    }
    AbortOn(found, "sys.ini");
    return 0;
}
