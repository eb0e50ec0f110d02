#include "shell/radio_prog_app.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QScreen>

#include "config/program_files.h"
#include "config/recovery_copy.h"
#include "config/settings.h"
#include "config/text_of.h"
#include "shell/child_frame.h"
#include "shell/help_commands.h"
#include "shell/help_viewer.h"
#include "shell/main_frame.h"
#include "shell/model_dlg.h"
#include "shell/prog_status_bar.h"
#include "shell/recovery_keeper.h"
#include "shell/recovery_offer.h"
#include "widgets/edit_view.h"
#include "widgets/prompts.h"

namespace radio {

namespace {
const char* const kSettingsFile = "sys.ini";
const char* const kLanguageFile = "lang.csv";
}  // namespace

CRadioProgApp::CRadioProgApp(StartOptions options) : m_options(std::move(options))
{
    if (!m_options.locate) {
        m_options.locate = [](const QString& name) { return FindProgramFile(name); };
    }
}

CRadioProgApp::~CRadioProgApp() = default;

bool CRadioProgApp::InitInstance()
{
    // The frame's record starts with the defaults: COM1, 400-470 MHz, 16 channels.
    m_frame = std::make_unique<CMainFrame>(this, m_options.locate);
    if (m_options.prompts != nullptr) {
        // The window and every dialog of it ask them.
        AttachPrompts(m_frame.get(), m_options.prompts);
    }
    ReloadTexts(true);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        m_frame->Document().SetReservedWord(screen->geometry().height() -
                                            screen->availableGeometry().height());
    }
    if (m_firstRun) {
        RunStartupModelDialog();
    }

    m_frame->PlaceWindow();
    if (m_options.showWindow) {
        m_frame->show();
    }
    m_frame->UpdateTitle();
    m_frame->ApplyMenuTexts();
    m_frame->BuildTree(false);
    StartRecovery();
    // The first paint takes note of the model the picture is chosen for.
    m_frame->RepaintBackground();
    m_frame->StartViewTimer(m_options.viewTimerMs);
    ShowLanguageNote();
    return true;
}

void CRadioProgApp::StartRecovery()
{
    const QString folder = RecoveryFolder();
    m_recovery = std::make_unique<RecoveryKeeper>(m_frame->Document(), folder);
    connect(m_recovery.get(), &RecoveryKeeper::copyFailed, m_frame.get(),
            [this](const QString& reason) {
                m_frame->ProgressBar()->showMessage(
                    UiText(m_frame->Data(), text::RecoveryNotKept).arg(reason));
            });
    // Leaving as the user confirmed is the clean end: nothing is left to recover.
    connect(m_frame.get(), &CMainFrame::exitConfirmed, m_recovery.get(),
            &RecoveryKeeper::RemoveNow);
    if (OfferLeftChanges(*m_frame, *m_recovery, folder)) {
        m_frame->UpdateTitle();
    }
}

void CRadioProgApp::ReloadTexts(bool withSettings)
{
    const RadioData& data = m_frame->Data();
    if (withSettings) {
        Settings settings;
        settings.port = data.port;
        settings.model = data.model;
        settings.language = 0;
        const SettingsFileInfo info = ReadSettingsFile(kSettingsFile, settings);
        m_frame->Document().TakeSettings(settings.port, settings.model);
        m_defaultLanguage = settings.language;
        m_firstRun = info.firstRun;
        if (m_firstRun) {
            m_defaultLanguage = LanguageColumnForLocale(m_options.locale);
            SaveSettings();
        }
    }
    LanguageTable texts = data.texts;
    m_languageLoad = LoadInterfaceLanguage(m_options.locate(QString::fromLatin1(kLanguageFile)),
                                           m_defaultLanguage, texts, m_names);
    m_frame->Document().TakeTexts(texts);
    ApplyQtTranslation();
    if (!withSettings) {
        m_frame->UpdateTitle();
        ShowLanguageNote();
    }
}

const std::vector<LanguageTable>& CRadioProgApp::Languages()
{
    if (!m_languagesRead) {
        m_languagesRead = true;
        m_languages = LoadEveryLanguage(m_options.locate(QString::fromLatin1(kLanguageFile)));
    }
    return m_languages;
}

void CRadioProgApp::ApplyQtTranslation()
{
    const bool chinese = ChineseInterface();
    if (chinese == (m_qtTranslator != nullptr)) {
        return;
    }
    if (!chinese) {
        QCoreApplication::removeTranslator(m_qtTranslator.get());
        m_qtTranslator.reset();
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        m_qtTranslator = std::move(translator);
    }
}

void CRadioProgApp::ShowLanguageNote()
{
    const RadioData& data = m_frame->Data();
    QString note;
    switch (m_languageLoad) {
    case LanguageLoad::Loaded: return;
    case LanguageLoad::Missing: note = UiText(data, text::LanguageFileMissing); break;
    case LanguageLoad::NoSuchColumn:
        note = UiText(data, text::LanguageColumnMissing).arg(m_defaultLanguage);
        break;
    case LanguageLoad::Utf16: note = UiText(data, text::LanguageFileUtf16); break;
    case LanguageLoad::NotText: note = UiText(data, text::LanguageFileNotText); break;
    }
    m_frame->ProgressBar()->showMessage(note);
}

bool CRadioProgApp::SaveSettings()
{
    const RadioData& data = m_frame->Data();
    Settings settings;
    settings.port = data.port;
    settings.language = m_defaultLanguage;
    settings.model = data.model;
    return SaveSettingsFile(kSettingsFile, settings);
}

void CRadioProgApp::SwitchLanguage(int index)
{
    const std::vector<ViewKind> views = m_frame->ExistingViews();
    m_defaultLanguage = index;
    ReloadTexts(false);
    // The history's steps read in the new language, as the menus do.
    m_frame->Document().RenameSteps();
    m_frame->ApplyMenuTexts();
    m_frame->BuildTree(true);
    for (ViewKind kind : views) {
        CEditView* view = m_frame->View(kind);
        view->RefreshTexts();
        m_frame->ChildFrame(kind)->setWindowTitle(view->ViewTitle());
    }
    m_frame->RepaintBackground();
}

int CRadioProgApp::PictureNumber() const
{
    const int model = m_frame ? m_frame->Data().model : 1;
    return m_defaultLanguage + (m_names.lastLanguageIndex + 1) * model + 10;
}

void CRadioProgApp::NotePictureModel()
{
    const int model = m_frame->Data().model;
    if (model == m_lastPictureModel) {
        return;
    }
    m_lastPictureModel = model;
    if (m_frame->ChildFrame(ViewKind::Channels)) {
        m_frame->RefreshViews();
    }
}

void CRadioProgApp::RunStartupModelDialog()
{
    CModelDlg dialog(m_frame->Data(), nullptr);
    // The main window is not shown yet: the dialog blocks nothing, so the help window
    // it may open stays usable.
    dialog.setWindowModality(Qt::WindowModal);
    connect(&dialog, &CModelDlg::helpRequested, m_frame.get(),
            [this] { m_frame->Help()->ShowHelp(QString::fromLatin1(help::kIndex)); });
    // A window of its own (the main window is not up yet), asked as the window's.
    if (PromptsFor(m_frame.get()).Modal(dialog) == QDialog::Accepted) {
        // Nothing is entered yet, so a new band empties nothing and needs no
        // question; the data set starts with the choice, not with a step undoing it.
        m_frame->Document().ApplyBandAndModel(dialog.ChosenBandIndex(), dialog.ChosenModel());
        m_frame->Document().Forget();
    }
    m_frame->RepaintBackground();
}

}  // namespace radio
