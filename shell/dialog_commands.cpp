#include "shell/dialog_commands.h"

#include <QAction>
#include <QFileInfo>

#include "config/text_of.h"
#include "config/user_preferences.h"
#include "link/adapter_info.h"
#include "link/port_names.h"
#include "shell/about_dlg.h"
#include "shell/child_frame.h"
#include "shell/com_port_dlg.h"
#include "shell/frame_actions.h"
#include "shell/help_viewer.h"
#include "shell/language_dlg.h"
#include "shell/main_frame.h"
#include "widgets/modal_dialog.h"
#include "shell/model_dlg.h"
#include "shell/multi_write_dlg.h"
#include "shell/radio_prog_app.h"
#include "widgets/edit_view.h"
#include "widgets/message_box.h"

namespace radio {

DialogCommands::DialogCommands(CMainFrame* frame) : QObject(frame), m_frame(frame) {}

DialogCommands::~DialogCommands() = default;

void DialogCommands::ModelInfo()
{
    // A changed band empties the channels: what the views hold is taken in first.
    if (!m_frame->CollectEdits()) {
        return;
    }
    const RadioData& data = m_frame->Data();
    const int modelBefore = data.model;
    const int bandBefore = CurrentBandIndex(data);
    CModelDlg dialog(data, m_frame);
    connect(&dialog, &CModelDlg::helpRequested, this,
            [this] { ShowHelp(QString::fromLatin1(help::kIndex)); });
    if (RunModal(dialog) == QDialog::Accepted) {
        // The warning comes before the change; declined, the band stays and the
        // model chosen is still taken.
        int band = dialog.ChosenBandIndex();
        if (band != bandBefore && !ConfirmWarning(m_frame, UiText(data, 87), UiText(data, 89))) {
            band = bandBefore;
        }
        m_frame->Document().ApplyBandAndModel(band, dialog.ChosenModel());
        if (band != bandBefore) {
            // The open views show the emptied channels; no view is opened for it.
            m_frame->ReloadViews();
        } else if (data.model != modelBefore) {
            if (CEditView* channels = m_frame->View(ViewKind::Channels)) {
                channels->RefreshTexts();
            }
        }
    }
    m_frame->UpdateTitle();
    m_frame->RepaintBackground();
}

void DialogCommands::ComPort()
{
    if (m_frame->TransferRunning() || m_frame->Worker().IsBusy()) {
        return;
    }
    const RadioData& data = m_frame->Data();
    const quint16 mask = m_frame->Worker().ProbePorts();
    std::array<QString, kComButtonCount> devices;
    std::array<QString, kComButtonCount> adapters;
    for (int n = 1; n <= kComButtonCount; ++n) {
        devices[std::size_t(n - 1)] = ResolvePortDevice(n);
        adapters[std::size_t(n - 1)] = AdapterText(AdapterInfoOf(devices[std::size_t(n - 1)]));
    }
    CComPortDlg dialog(data, mask, data.port - 1, devices, m_frame);
    dialog.SetAdapters(adapters);
    if (RunModal(dialog) == QDialog::Accepted) {
        m_frame->Document().SetPort(dialog.ChosenIndex() + 1);
        m_frame->ShowPortInUse();
    }
}

void DialogCommands::WriteSeveral()
{
    if (m_frame->TransferRunning() || m_frame->Worker().IsBusy()) {
        return;
    }
    m_frame->CollectEdits();
    std::array<QString, CMultiWriteDlg::kPorts> devices;
    for (int n = 1; n <= CMultiWriteDlg::kPorts; ++n) {
        devices[std::size_t(n - 1)] = ResolvePortDevice(n);
    }
    CMultiWriteDlg dialog(m_frame->Data(), m_frame->Worker().ProbePorts(), devices, m_frame);
    RunModal(dialog);
    // The dialog shows the same remembered choice and may have changed it.
    m_frame->Actions()->Action(FrameCommand::VerifyAfterWrite)->setChecked(VerifyAfterWrite());
}

void DialogCommands::Language()
{
    CRadioProgApp* app = m_frame->App();
    if (!app) {
        return;
    }
    CLanguageDlg dialog(m_frame->Data(), app->Names(), app->DefaultLanguage(), m_frame);
    connect(&dialog, &CLanguageDlg::helpRequested, this,
            [this] { ShowHelp(QString::fromLatin1(help::kLanguage)); });
    if (RunModal(dialog) == QDialog::Accepted) {
        const int chosen = dialog.ChosenIndex();
        if (chosen >= 0 && chosen != app->DefaultLanguage()) {
            app->SwitchLanguage(chosen);
        }
    }
}

void DialogCommands::About()
{
    CAboutDlg dialog(m_frame->Data(), m_frame);
    RunModal(dialog);
}

void DialogCommands::HelpTopics()
{
    ShowHelp(QString::fromLatin1(help::kIndex));
}

// The Chinese interface shows the Chinese page ("index_zh.htm" beside "index.htm")
// where there is one.
QString DialogCommands::HelpPagePath(const QString& page) const
{
    if (m_frame->App() != nullptr && m_frame->App()->ChineseInterface()) {
        const QFileInfo info(page);
        const QString chinese = info.path() + QLatin1Char('/') + info.completeBaseName() +
                                QStringLiteral("_zh.") + info.suffix();
        const QString path = m_frame->Locate()(chinese);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return m_frame->Locate()(page);
}

void DialogCommands::ShowHelp(const QString& page)
{
    const QString path = HelpPagePath(page);
    if (!QFileInfo(path).isFile()) {
        BoxRequest box;
        box.text = UiText(m_frame->Data(), text::HelpMissing).arg(page);
        box.caption = PlainCaption(UiText(m_frame->Data(), 38));
        box.icon = QMessageBox::Warning;
        ShowBox(m_frame, box);
        return;
    }
    if (!m_help) {
        m_help = std::make_unique<CHelpViewer>();
    }
    m_help->ShowPage(path);
}

}  // namespace radio
