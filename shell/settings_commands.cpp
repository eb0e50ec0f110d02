#include "shell/settings_commands.h"

#include "link/adapter_info.h"
#include "link/port_names.h"
#include "shell/com_port_dlg.h"
#include "shell/help_commands.h"
#include "shell/help_viewer.h"
#include "shell/language_dlg.h"
#include "shell/radio_prog_app.h"
#include "shell/view_manager.h"
#include "widgets/modal_dialog.h"

namespace radio {

SettingsCommands::SettingsCommands(RadioDocument& document, ViewManager& views,
                                   CTransferWorker& worker, CRadioProgApp* app, HelpCommands& help,
                                   QObject* parent)
    : QObject(parent),
      m_document(document),
      m_views(views),
      m_worker(worker),
      m_app(app),
      m_help(help)
{
}

void SettingsCommands::ComPort()
{
    if (m_views.TransferRunning() || m_worker.IsBusy()) {
        return;
    }
    const RadioData& data = m_document.Record();
    const quint16 mask = m_worker.ProbePorts();
    std::array<QString, kComButtonCount> devices;
    std::array<QString, kComButtonCount> adapters;
    for (int n = 1; n <= kComButtonCount; ++n) {
        devices[std::size_t(n - 1)] = ResolvePortDevice(n);
        adapters[std::size_t(n - 1)] = AdapterText(AdapterInfoOf(devices[std::size_t(n - 1)]));
    }
    CComPortDlg dialog(data, mask, data.port - 1, devices, m_views.Window());
    dialog.SetAdapters(adapters);
    if (RunModal(dialog) == QDialog::Accepted) {
        m_document.SetPort(dialog.ChosenIndex() + 1);
        m_views.UpdateTitle();  // the status bar names the port in use
    }
}

void SettingsCommands::Language()
{
    if (!m_app) {
        return;
    }
    CLanguageDlg dialog(m_document.Record(), m_app->Names(), m_app->DefaultLanguage(),
                        m_views.Window());
    connect(&dialog, &CLanguageDlg::helpRequested, this,
            [this] { m_help.ShowHelp(QString::fromLatin1(help::kLanguage)); });
    if (RunModal(dialog) == QDialog::Accepted) {
        const int chosen = dialog.ChosenIndex();
        if (chosen >= 0 && chosen != m_app->DefaultLanguage()) {
            m_app->SwitchLanguage(chosen);
        }
    }
}

}  // namespace radio
