// The program's texts, by number. Texts #0 to #186 are the classic table that every
// window and message uses; texts from #187 on are messages added later. The table
// lives in the radio record so that everything holding the record reaches the texts.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace radio {

constexpr int kClassicTextCount = 187;

// Every text by name; the number is the text's line in "lang.csv" less two (the first
// line names the columns). Texts from #187 on come after the classic table: a file
// that lacks them gets the program's English fallback.
namespace text {
enum : int {
    RadioData = 0,  // navigation tree root
    FileMenu = 1,
    MenuNew = 2,
    MenuOpen = 3,
    MenuSave = 4,
    MenuSaveAs = 5,
    MenuPrint = 6,
    MenuExit = 7,
    ModelMenu = 8,
    MenuModelAndBand = 9,  // menu caption, model dialog title
    EditMenu = 10,
    ChannelsView = 11,  // menu caption, view title
    FeaturesView = 12,  // menu caption, view title
    KeysView = 13,      // menu caption, view title
    ScanView = 14,      // menu caption, view title
    OnPttPress = 15,    // when the DTMF code is sent
    OnPttRelease = 16,  // when the DTMF code is sent
    MenuImport = 17,
    MenuExport = 18,
    ProgrammingMenu = 19,
    MenuReadFromRadio = 20,
    MenuWriteToRadio = 21,
    MenuClone = 22,
    MenuCompare = 23,
    MenuRestoreDefaults = 24,
    SettingsMenu = 25,
    MenuComPort = 26,
    LanguageTitle = 27,  // menu caption, language dialog title
    ViewMenu = 28,
    MenuNavigationBar = 29,
    MenuToolbar = 30,
    MenuStatusBar = 31,
    WindowMenu = 32,
    MenuCascade = 33,
    MenuTileHorizontally = 34,
    MenuTileVertically = 35,
    MenuArrangeIcons = 36,
    MenuCloseAllWindows = 37,
    HelpMenu = 38,  // also the dialogs' Help button
    MenuHelpTopics = 39,
    AboutTitle = 40,  // menu caption, about dialog title
    Frequency = 41,
    ColumnChannel = 42,      // channel table header
    ColumnRxFrequency = 43,  // channel table header
    ColumnTxFrequency = 44,  // channel table header
    ColumnRxTone = 45,       // channel table header
    ColumnTxTone = 46,       // channel table header
    Off = 47,                // the off tone, no channel, no key function, an option's 0
    ColumnBandwidth = 48,    // channel table header
    Wide = 49,
    Narrow = 50,
    ColumnPower = 51,  // channel table header
    Low = 52,
    High = 53,
    ColumnScanAdd = 54,  // channel table header
    On = 55,             // an option's 1
    Squelch = 56,
    Step = 57,
    Offset = 58,
    DtmfCodes = 59,
    SwitchedOff = 60,  // busy lock off, battery save off
    SwitchedOn = 61,   // busy lock on
    Signalling = 62,
    Compander = 63,
    ColumnBusyLock = 64,  // channel table header
    Scrambler = 65,
    PttId = 66,
    Tone = 67,
    DeleteChannel = 68,
    Close = 69,  // button
    ClearAll = 70,
    Ok = 71,      // button
    Cancel = 72,  // button
    RestoreDefaultsQuestion = 73,
    CommunicationFailedCaption = 74,
    Done = 75,  // transfer finished caption, progress title suffix
    CommunicationFailed = 76,
    ComPortTitle = 77,        // port dialog title and frame
    ProgramName = 78,         // about dialog, first line
    ProgramVersion = 79,      // about dialog
    Copyright = 80,           // about dialog
    ProductName = 81,         // about dialog
    ProductDescription = 82,  // about dialog
    SupportedRadios = 83,     // about dialog
    ReadingFromRadio = 84,    // progress title
    WritingToRadio = 85,      // progress title
    ReadingStatus = 86,       // status bar
    BandChangeClears = 87,    // question before a band change
    WritingStatus = 88,       // status bar
    WarningCaption = 89,
    ExitQuestion = 90,
    ExitCaption = 91,
    FrequencyErrorCaption = 92,
    EnterReceiveFirst = 93,
    DataFileType = 94,  // file dialog filter
    OutOfBand = 95,
    OutOfBandCaption = 96,
    RadioBandUnknown = 97,
    NotConnected = 98,  // status bar
    TxTimeout = 99,
    SquelchLevel = 100,
    VolumeLevel = 101,
    AudioResponse = 102,
    Standard = 103,  // audio response choice
    BatterySave = 104,
    Deep = 105,    // battery save choice
    Normal = 106,  // battery save choice
    KeyBeep = 107,
    VoicePrompt = 108,
    KeyLock = 109,
    AutoKeyLock = 110,
    Vox = 111,  // frame title
    VoxOn = 112,
    VoxLevel = 113,
    VoxDelay = 114,
    VoxHeadsetOnly = 115,
    VoxInhibitOnReceive = 116,
    VoxBeep = 117,
    VoiceScrambler = 118,  // frame title
    ScramblerOn = 119,
    SendCode = 120,
    Code1 = 121,
    Code2 = 122,
    Code1And2 = 123,
    Keys = 124,
    SideKey = 125,
    KeyMonitor = 126,          // side key function
    KeyScan = 127,             // side key function
    KeyAlarm = 128,            // side key function
    KeyTxPower = 129,          // side key function
    KeyVoxSwitch = 130,        // side key function
    KeyWideNarrow = 131,       // side key function
    KeyScramblerSwitch = 132,  // side key function
    KeyTalkaround = 133,       // side key function
    KeyBatteryLevel = 134,     // side key function
    KeyKeyLock = 135,          // side key function
    KeyFlashlight = 136,       // side key function
    SideKeyNote = 137,
    Scan = 138,
    ScanPriority = 139,  // scan mode, transmit-on choice
    ScanFixed = 140,     // scan mode
    ScanCurrent = 141,   // scan mode, transmit-on choice
    PriorityChannel = 142,
    CheckInterval = 143,
    HoldTime = 144,
    TransmitOn = 145,
    Talkback = 146,  // added to a transmit-on choice
    ResumeTime = 147,
    CarrierHold = 148,
    ChannelNumber = 149,
    Band = 150,
    Model = 151,
    Port = 152,
    Progress = 153,
    ReadyStatus = 154,       // status bar
    ConnectingStatus = 155,  // status bar
    ConnectedStatus = 156,   // status bar
    ReadFailed = 157,
    WriteFailed = 158,
    InvalidFrequency = 159,
    InvalidTone = 160,
    Dcs = 161,
    Ctcss = 162,
    PolarityNormal = 163,
    PolarityInverted = 164,
    PrintPreviewTitle = 165,
    PrintSetup = 166,
    Page = 167,
    ChannelList = 168,
    FeatureSummary = 169,
    Default = 170,
    Minimum = 171,
    Maximum = 172,
    Seconds = 173,
    Megahertz = 174,
    Yes = 175,
    No = 176,
    Retry = 177,
    Ignore = 178,
    ErrorCaption = 179,
    InformationCaption = 180,
    NoteCaption = 181,
    SaveChangesQuestion = 182,
    ModelLabel = 183,      // model dialog, status bar
    Channels32 = 184,      // model choice
    Channels16 = 185,      // model choice
    BandLabel = 186,       // model dialog, status bar
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
    FileReplace = 206,          // %1 file name
    PrintPreview = 207,         // menu caption
    NotAFrequency = 208,        // %1 the text as typed
    LanguageFileMissing = 209,  // status bar, when lang.csv was not found
    ImportChannels = 210,       // menu caption
    ExportChannels = 211,       // menu caption
    ImportPreviewTitle = 212,   // dialog title
    ImportSummary = 213,        // %1 how many channels, %2 file name
    ImportRefusedRows = 214,    // %1 how many rows
    ImportRowReason = 215,      // %1 row number, %2 reason
    CsvUnreadable = 216,        // %1 column, %2 value
    CsvOutOfBand = 217,         // %1 frequency, %2-%3 band
    CsvOffRaster = 218,         // %1 frequency
    CsvToneNotOffered = 219,    // %1 column, %2 value
    CsvModeNotFm = 220,         // %1 mode
    CsvBeyondChannels = 221,    // %1 location, %2 channel count
    CsvLocationTwice = 222,     // %1 channel, %2 row
    CsvNotText = 223,           // %1 file name
    CsvUnclosedQuote = 224,     // %1 file name, %2 row
    CsvNoColumns = 225,         // %1 file name
    RecentFiles = 226,          // menu caption
    RecentFileGone = 227,       // %1 file name
    PortCheck = 228,            // %1 device, %2 what the check found
    PortMayOpen = 229,
    PortNotInGroup = 230,      // %1 group
    PortGroupNotActive = 231,  // %1 group
    PortOwnerOnly = 232,       // %1 owner, %2 mode, %3 the commands that fix it
    PortHeld = 233,            // %1 processes, %2 commands
    PortHolder = 234,          // %1 name, %2 process id
    PortHeldUnseen = 235,      // %1 device
    PortNotHeld = 236,
    PortOpens = 237,
    PortOpenFails = 238,        // %1 reason
    PortSettingsRefused = 239,  // %1 what it reports
    PortMissing = 240,          // %1 device
    PortNoAdapter = 241,
    VerifyAfterWrite = 242,   // menu caption, check item
    WriteSeveral = 243,       // menu caption
    OpenBackup = 244,         // menu caption
    Verifying = 245,          // status bar, during the second pass
    VerifyMismatch = 246,     // %1 address, %2 byte written, %3 byte the radio holds
    VerifyReadBack = 247,     // the write ended; reading it back failed
    BackupFailed = 248,       // %1 backup file, %2 reason
    WriteSeveralTitle = 249,  // dialog title
    StartBatch = 250,         // button
    CloseDialog = 251,        // button
    ResultWritten = 252,      // one radio of several
    ResultVerified = 253,
    ResultFailed = 254,  // %1 reason
    ResultWriting = 255,
    BatchMismatch = 256,  // %1 ports with their band and model, %2 the data's
    ResultNotWritten = 257,
    UndoCellValue = 258,    // %1 channel, %2 field, %3 value
    UndoCellEmptied = 259,  // %1 channel, %2 field
    FieldReceiveFrequency = 260,
    FieldTransmitFrequency = 261,
    FieldReceiveTone = 262,
    FieldTransmitTone = 263,
    FieldBandwidth = 264,
    FieldPower = 265,
    FieldScanAdd = 266,
    FieldBusyLock = 267,
    UndoViewStored = 268,         // %1 view title
    UndoPaste = 269,              // %1 how many
    UndoCut = 270,                // %1 how many
    UndoDelete = 271,             // %1 how many
    MenuUndo = 272,               // menu caption
    MenuUndoStep = 273,           // menu caption, %1 the step
    MenuRedo = 274,               // menu caption
    MenuRedoStep = 275,           // menu caption, %1 the step
    MenuCut = 276,                // menu caption
    MenuCopy = 277,               // menu caption
    MenuPaste = 278,              // menu caption
    MenuDelete = 279,             // menu caption
    SaveChanges = 280,            // before New, Open, Exit
    PasteOutOfBand = 281,         // %1 how many, %2-%3 band
    PasteNotFrequency = 282,      // %1 line, %2 column, %3 text
    PasteNotTone = 283,           // %1 line, %2 column, %3 text
    PasteNotOption = 284,         // %1 line, %2 column, %3 text
    PasteTooManyLines = 285,      // %1 lines, %2 first channel, %3 room
    NotDataFileBlock = 286,       // %1 file name, %2 a block's fixed address, %3 the one it has
    NotDataFileBand = 287,        // %1 file name, %2-%3 the band it holds
    IsAFolder = 288,              // why a name is neither opened nor replaced
    IsAFifo = 289,                // why a name is neither opened nor replaced
    IsADevice = 290,              // why a name is neither opened nor replaced
    IsNoRegularFile = 291,        // why a name is neither opened nor replaced (a socket, ...)
    FrequencyNotOfBand = 292,     // %1 the text as typed, %2-%3 the band
    FrequencyTooPrecise = 293,    // %1 the text as typed
    FrequencyOffRaster = 294,     // %1 as typed, %2 and %3 the nearest on the raster
    PasteCellRefused = 295,       // %1 line, %2 column, %3 why
    NotATone = 296,               // %1 the text as typed
    PortBroadGroup = 297,         // %1 group, %2 the commands that fix it
    PortRelogin = 298,            // %1 commands that change the user's groups
    PortHeldByOwn = 299,          // %1 processes
    PortOwnTerminal = 300,        // %1 device
    PrintNotSaved = 301,          // printout heading: the data have no file
    PrintUnsavedFile = 302,       // printout heading: %1 the file, changed since it was saved
    EchoingCable = 303,           // the entry code came back
    IdentityNotDecoded = 304,     // %1 the identity bytes in hex, %2 the band and model kept
    PasteTooWide = 305,           // %1 line, %2 its columns, %3 the columns from the current one on
    PasteNoChannel = 306,         // %1 line, %2 column, %3 text, %4 channel
    LanguageColumnMissing = 307,  // status bar, %1 the column sys.ini names
    LanguageFileUtf16 = 308,      // status bar, lang.csv is UTF-16
    LanguageFileNotText = 309,    // status bar, lang.csv holds no text
    StepEntryCode = 310,          // a transfer step
    StepIdentity = 311,           // a transfer step
    StepEndByte = 312,            // a transfer step
    StepBlock = 313,              // a transfer step, %1 address
    StepChunk = 314,              // a transfer step, %1 address, %2 quarter
    EnterWholeNumberInSteps = 315,  // %1 lowest, %2 highest, %3 step
    EnterNumberInSteps = 316,       // %1 lowest, %2 highest, %3 step
    ChannelNotInUse = 317,          // %1 channel number
    UndoFieldValue = 318,           // %1 field, %2 value
    MenuInsertChannel = 319,        // menu caption
    MenuDeleteChannel = 320,        // menu caption
    MenuMoveUp = 321,               // menu caption
    MenuMoveDown = 322,             // menu caption
    MenuSortByReceive = 323,        // menu caption
    MenuFillFrequencies = 324,      // menu caption
    MenuFind = 325,                 // menu caption
    MenuBulkSet = 326,              // menu caption
    InsertNoRoom = 327,             // %1 the last channel
    FillStep = 328,                 // fill dialog label
    FillOverwrite = 329,            // %1 how many
    FillOutOfBand = 330,            // %1 frequency, %2-%3 band
    FindWhat = 331,                 // find dialog label
    FindNotFound = 332,             // %1 the text sought
    FindNotUnderstood = 333,        // %1 the text sought
    BulkKeep = 334,                 // bulk set list entry
    BulkNoChannels = 335,           // bulk set refused
    FillFromChannel = 336,          // %1 channel, %2 its receive frequency
    Last = 336,
};
}  // namespace text

class LanguageTable {
public:
    LanguageTable();

    // Never fails: an unknown number gives an empty text, a text that no file
    // supplied gives the program's English one (so the menus stand without a file).
    const std::string& Text(int n) const;
    void SetText(int n, std::string value);
    // Texts held (the classic ones and the extended ones).
    static int Count() { return text::Last + 1; }
    static const std::string& Fallback(int n);

private:
    std::vector<std::string> m_texts;
    std::vector<bool> m_supplied;  // set by SetText (a language file, a test)
};

}  // namespace radio
