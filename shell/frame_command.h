// The main window's commands, numbered as the menus, the toolbar and the shortcut
// keys know them.
#pragma once

namespace radio {

enum class FrameCommand : int {
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    ImportChannels = 32820,
    ExportChannels = 32821,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    AppExit = 57665,
    ModelInfo = 32786,
    ViewChannels = 32771,
    ViewFeatures = 32776,
    ViewKeys = 32778,
    ViewScan = 32782,
    ReadRadio = 32773,
    WriteRadio = 32774,
    ComPort = 32792,
    Language = 32779,
    TreeView = 32781,
    ToolBar = 59392,
    StatusBar = 59393,
    Cascade = 57650,
    TileHorizontally = 57651,
    TileVertically = 57652,
    ArrangeIcons = 57649,
    CloseAllWindows = 32794,
    HelpTopics = 32783,
    About = 57664,
    VerifyAfterWrite = 32800,
    WriteSeveral = 32801,
    OpenBackup = 32802,
    EditUndo = 57643,
    EditRedo = 57644,
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    EditDelete = 57632,
};

}  // namespace radio
