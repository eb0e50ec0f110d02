// The program's texts, by number. Texts #0 to #186 are the classic table that every
// window and message uses; texts from #187 on are messages added later. The table
// lives in the radio record so that everything holding the record reaches the texts.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace radio {

constexpr int kClassicTextCount = 187;

// Texts after the classic table: lines 189 onward of "lang.csv". A file that lacks
// them gets the program's English fallback.
namespace text {
enum : int {
    WriteMismatch = 187,   // %1 radio's band and model, %2 the data's
    BandAndModel = 188,    // %1-%2 MHz, %3 channels
    FileTooShort = 189,    // %1 file name, %2 its size
    FileOpenFailed = 190,  // %1 file name, %2 reason
    FileSaveFailed = 191,  // %1 file name, %2 reason
    PortNotFound = 192,    // %1 COMn
    PortPermission = 193,  // %1 COMn, %2 device
    PortBusy = 194,        // %1 COMn, %2 device
    PortFailed = 195,      // %1 COMn, %2 device, %3 reason
    PortInvalid = 196,     // %1 port number
    RadioNoAnswer = 197,
    RadioRefused = 198,
    RadioLinkFault = 199,  // %1 the step that failed
    TransferRunning = 200,
    EnterWholeNumber = 201,   // %1 lowest, %2 highest
    EnterNumber = 202,        // %1 lowest, %2 highest
    TooManyCharacters = 203,  // %1 how many
    HelpMissing = 204,        // %1 page
    PrintFailed = 205,
    FileReplace = 206,     // %1 file name
    PrintPreview = 207,    // menu caption
    RecentFiles = 208,     // menu caption
    RecentFileGone = 209,  // %1 file name
    PortCheck = 210,       // %1 device, %2 what the check found
    PortMayOpen = 211,
    PortNotInGroup = 212,      // %1 group
    PortGroupNotActive = 213,  // %1 group
    PortOwnerOnly = 214,       // %1 owner, %2 mode, %3 device
    PortHeld = 215,            // %1 processes, %2 commands
    PortHolder = 216,          // %1 name, %2 process id
    PortHeldUnseen = 217,      // %1 device
    PortNotHeld = 218,
    PortOpens = 219,
    PortOpenFails = 220,        // %1 reason
    PortSettingsRefused = 221,  // %1 what it reports
    PortMissing = 222,          // %1 device
    PortNoAdapter = 223,
    Last = 223,
};
}  // namespace text

class LanguageTable {
public:
    LanguageTable();

    // Never fails: an unknown number gives an empty text, an extended text that no
    // file supplied gives its English fallback.
    const std::string& Text(int n) const;
    void SetText(int n, std::string value);
    // Texts held (the classic ones and the extended ones).
    static int Count() { return text::Last + 1; }
    static const std::string& Fallback(int n);

private:
    std::vector<std::string> m_texts;
};

}  // namespace radio
