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
    FileReplace = 206,        // %1 file name
    PrintPreview = 207,       // menu caption
    VerifyAfterWrite = 208,   // menu caption, check item
    WriteSeveral = 209,       // menu caption
    OpenBackup = 210,         // menu caption
    Verifying = 211,          // status bar, during the second pass
    VerifyMismatch = 212,     // %1 address, %2 byte written, %3 byte the radio holds
    VerifyReadBack = 213,     // the write ended; reading it back failed
    BackupFailed = 214,       // %1 backup file, %2 reason
    WriteSeveralTitle = 215,  // dialog title
    StartBatch = 216,         // button
    CloseDialog = 217,        // button
    ResultWritten = 218,      // one radio of several
    ResultVerified = 219,
    ResultFailed = 220,  // %1 reason
    ResultWriting = 221,
    BatchMismatch = 222,  // %1 ports with their band and model, %2 the data's
    ResultNotWritten = 223,
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
