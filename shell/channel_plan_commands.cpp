#include "shell/channel_plan_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "config/channel_plan_texts.h"
#include "config/file_messages.h"
#include "config/file_reading.h"
#include "config/file_saving.h"
#include "config/text_of.h"
#include "data/channel_csv.h"
#include "shell/file_dialogs.h"
#include "shell/import_preview_dlg.h"
#include "shell/view_manager.h"
#include "widgets/modal_dialog.h"

namespace radio {

void ChannelPlanCommands::Import()
{
    // The views' edits are in the record before the preview counts what changes; a
    // field that fails its check stops the import.
    if (!m_views.CollectEdits()) {
        return;
    }
    const QString path =
        AskFileNameKeepingDirectory(FileDialogKind::Open, m_views.Window(), CsvFileFilter());
    if (path.isEmpty()) {
        return;
    }
    const RadioData& data = m_document.Record();
    const QString shown = QDir::toNativeSeparators(path);
    QByteArray csv;
    if (const FileResult read = ReadWholeFile(path, csv); !read.ok()) {
        ShowFileError(m_views.Window(), data, OpenFailureText(data.texts, shown, read));
        return;
    }
    const ChannelPlan plan = ImportChannelsCsv(csv.toStdString(), data);
    if (!plan.ok()) {
        ShowFileError(m_views.Window(), data, PlanErrorText(data.texts, plan, shown));
        return;
    }
    ImportPreviewDlg preview(data, plan, QFileInfo(path).fileName(), m_views.Window());
    if (RunModal(preview) == QDialog::Accepted) {
        ApplyImport(plan);
    }
    m_views.RepaintBackground();
}

void ChannelPlanCommands::ApplyImport(const ChannelPlan& plan)
{
    m_document.ImportChannels(plan);
    m_views.RefreshViews();
}

void ChannelPlanCommands::Export()
{
    if (!m_views.CollectEdits()) {
        return;
    }
    const QString chosen =
        AskFileNameKeepingDirectory(FileDialogKind::Save, m_views.Window(), CsvFileFilter());
    if (chosen.isEmpty()) {
        return;
    }
    const RadioData& data = m_document.Record();
    QString path = chosen;
    if (QFileInfo(chosen).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
        // The dialog asked about the name as typed, not about the completed one.
        if (QFileInfo::exists(path) && !ConfirmReplace(m_views.Window(), data, path)) {
            return;
        }
    }
    const FileResult result =
        WriteFileAtomically(path, QByteArray::fromStdString(ExportChannelsCsv(data)));
    if (!result.ok()) {
        ShowFileError(m_views.Window(), data,
                      SaveFailureText(data.texts, QDir::toNativeSeparators(path), result));
    }
    m_views.RepaintBackground();
}

}  // namespace radio
