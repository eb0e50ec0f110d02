#include "shell/model_commands.h"

#include "config/text_of.h"
#include "shell/help_commands.h"
#include "shell/help_viewer.h"
#include "shell/model_dlg.h"
#include "shell/view_manager.h"
#include "widgets/edit_view.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

namespace radio {

ModelCommands::ModelCommands(RadioDocument& document, ViewManager& views, HelpCommands& help,
                             QObject* parent)
    : QObject(parent), m_document(document), m_views(views), m_help(help)
{
}

void ModelCommands::ModelAndBand()
{
    // A changed band empties the channels: what the views hold is taken in first.
    if (!m_views.CollectEdits()) {
        return;
    }
    const RadioData& data = m_document.Record();
    const int modelBefore = data.model;
    const int bandBefore = CurrentBandIndex(data);
    CModelDlg dialog(data, m_views.Window());
    connect(&dialog, &CModelDlg::helpRequested, this,
            [this] { m_help.ShowHelp(QString::fromLatin1(help::kIndex)); });
    if (RunModal(dialog) == QDialog::Accepted) {
        // The warning comes before the change; declined, the band stays and the
        // model chosen is still taken.
        int band = dialog.ChosenBandIndex();
        if (band != bandBefore &&
            !ConfirmWarning(m_views.Window(), UiText(data, text::BandChangeClears),
                            UiText(data, text::WarningCaption))) {
            band = bandBefore;
        }
        m_document.ApplyBandAndModel(band, dialog.ChosenModel());
        if (band != bandBefore) {
            // The open views show the emptied channels; no view is opened for it.
            m_views.ReloadViews();
        } else if (data.model != modelBefore) {
            if (CEditView* channels = m_views.View(ViewKind::Channels)) {
                channels->RefreshTexts();
            }
        }
    }
    m_views.UpdateTitle();
    m_views.RepaintBackground();
}

}  // namespace radio
