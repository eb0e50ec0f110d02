// The application object: starts the program (settings, language texts, the first
// run's model dialog, the main window) and keeps what belongs to the whole run: the
// language column and names, and the model the background picture was last chosen for.
#pragma once

#include <QLocale>
#include <QObject>
#include <QTranslator>
#include <memory>

#include "config/language_file.h"
#include "config/program_file_locator.h"

namespace radio {

class CMainFrame;
class Prompts;
class RecoveryKeeper;

struct StartOptions {
    // Decides the language column when "sys.ini" is incomplete.
    QLocale locale = QLocale::system();
    // Finds "lang.csv", the pictures and the help pages; FindProgramFile when empty.
    ProgramFileLocator locate;
    // Delay of the timer that opens the channel view once the window is up.
    int viewTimerMs = 100;
    // Tests may keep the window hidden.
    bool showWindow = true;
    // Who answers the program's boxes, dialogs and file dialogs: the real windows when
    // null; a test gives its own (not owned, kept alive while the program runs).
    Prompts* prompts = nullptr;
};

class CRadioProgApp : public QObject {
    Q_OBJECT
public:
    explicit CRadioProgApp(StartOptions options = StartOptions());
    ~CRadioProgApp() override;

    // The start-up: "sys.ini", "lang.csv", the first run's model dialog, the window
    // at (0, 0) with 773 x 548, caption, menu texts, tree, the offer of unsaved changes
    // a program left behind, and the channel view's timer.
    bool InitInstance();

    // Reads "lang.csv" for the current language column. With `withSettings` it reads
    // "sys.ini" first (start-up: an incomplete file means a first run, whose language
    // comes from the locale and whose file is written at once); without, it refreshes
    // the caption afterwards.
    void ReloadTexts(bool withSettings);
    // Writes "sys.ini" from the port, the language column and the model.
    bool SaveSettings();
    // Switches the texts of the whole program to language column `index`.
    void SwitchLanguage(int index);

    // bg<number>.JPG: language column + (last language index + 1) * model + 10.
    int PictureNumber() const;
    // Before the background is painted again: a model other than the one the picture
    // was last chosen for reloads the open views (when the channel view exists).
    void NotePictureModel();

    CMainFrame* MainFrame() const { return m_frame.get(); }
    int DefaultLanguage() const { return m_defaultLanguage; }
    // Column 0 of "lang.csv" holds the Chinese texts; without them the built-in
    // English ones show.
    bool ChineseInterface() const
    {
        return m_defaultLanguage == 0 && m_languageLoad == LanguageLoad::Loaded;
    }
    // Whether the last ReloadTexts found no "lang.csv" (the built-in English texts show).
    bool LanguageFileMissing() const { return m_languageLoad == LanguageLoad::Missing; }
    // What the last ReloadTexts found; anything but Loaded shows the English texts.
    LanguageLoad LanguageFileState() const { return m_languageLoad; }
    // Every language column of "lang.csv", read when first asked for (a paste).
    const std::vector<LanguageTable>& Languages();
    const LanguageNames& Names() const { return m_names; }
    bool FirstRun() const { return m_firstRun; }
    // What keeps the recovery copy of unsaved changes; null before InitInstance.
    RecoveryKeeper* Recovery() const { return m_recovery.get(); }

private:
    void RunStartupModelDialog();
    // Keeps recovery copies from now on, after offering what a program left behind.
    void StartRecovery();
    // Qt's own texts (buttons of message boxes, file and print dialogs) follow the
    // language column.
    void ApplyQtTranslation();
    void ShowLanguageNote();

    StartOptions m_options;
    std::unique_ptr<CMainFrame> m_frame;
    // After the frame: it goes first, while the document it watches is still there.
    std::unique_ptr<RecoveryKeeper> m_recovery;
    LanguageNames m_names;
    int m_defaultLanguage = 0;
    int m_lastPictureModel = -1;
    bool m_firstRun = false;
    LanguageLoad m_languageLoad = LanguageLoad::Loaded;
    std::vector<LanguageTable> m_languages;
    bool m_languagesRead = false;
    std::unique_ptr<QTranslator> m_qtTranslator;
};

}  // namespace radio
