#include "shell/file_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "config/backup_store.h"
#include "config/file_messages.h"
#include "config/file_reading.h"
#include "config/file_saving.h"
#include "config/text_of.h"
#include "data/record_diff.h"
#include "shell/changes_dlg.h"
#include "shell/file_dialogs.h"
#include "shell/print_hook.h"
#include "shell/view_manager.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

namespace radio {

FileCommands::FileCommands(RadioDocument& document, ViewManager& views, QObject* parent)
    : QObject(parent), m_document(document), m_views(views)
{
}

bool FileCommands::MayLeaveData(const std::function<bool()>& askWhenUnchanged)
{
    // What the views hold belongs to the data; a field that fails its check stops.
    if (!m_views.CollectEdits()) {
        return false;
    }
    RadioDocument& document = m_document;
    if (!document.IsModified()) {
        return askWhenUnchanged();
    }
    const RadioData& data = m_document.Record();
    BoxRequest box;
    box.text = UiText(data, text::SaveChanges);
    box.caption = UiText(data, text::WarningCaption);
    box.icon = QMessageBox::Warning;
    box.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    box.defaultButton = QMessageBox::Cancel;
    switch (ShowBox(m_views.Window(), box)) {
    case QMessageBox::Save: return Save();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void FileCommands::New()
{
    const bool confirmed = MayLeaveData([this] {
        const RadioData& data = m_document.Record();
        return ConfirmWarning(m_views.Window(), UiText(data, text::RestoreDefaultsQuestion),
                              UiText(data, text::WarningCaption));
    });
    if (!confirmed) {
        return;
    }
    m_document.ResetToNew();
    m_views.RefreshViews();
}

void FileCommands::OpenBackup()
{
    if (!MayLeaveData([] { return true; })) {
        return;
    }
    const QString folder = BackupFolder();
    QDir().mkpath(folder);  // the dialog opens there even before the first backup
    OpenFile(AskFileNameKeepingDirectory(FileDialogKind::Open, m_views.Window(), DataFileFilter(),
                                         folder));
}

void FileCommands::CompareWithFile()
{
    if (!m_views.CollectEdits()) {
        return;
    }
    const QString path = AskFileNameKeepingDirectory(FileDialogKind::Open, m_views.Window());
    if (path.isEmpty()) {
        return;
    }
    const RadioData& data = m_document.Record();
    RadioData other = data;
    const FileResult result = LoadDataFile(path, other);
    const QString shown = QDir::toNativeSeparators(path);
    if (!result.ok()) {
        ShowFileError(m_views.Window(), data, OpenFailureText(data.texts, shown, result));
        return;
    }
    const std::vector<Difference> differences = CompareRecords(other, data);
    const QString title = UiText(data, text::CompareTitle);
    const QString dataSide = UiText(data, text::TheEditedData);
    if (differences.empty()) {
        BoxRequest box;
        box.text = UiText(data, text::CompareSame).arg(shown, dataSide);
        box.caption = title;
        box.icon = QMessageBox::Information;
        ShowBox(m_views.Window(), box);
        return;
    }
    ChangesDlg dialog(data, differences, title,
                      UiText(data, text::CompareHeading)
                          .arg(shown, dataSide, QString::number(differences.size())),
                      ChangesDlg::Purpose::Compare, m_views.Window());
    RunModal(dialog);
}

void FileCommands::Open()
{
    if (!MayLeaveData([] { return true; })) {
        return;
    }
    OpenFile(AskFileNameKeepingDirectory(FileDialogKind::Open, m_views.Window()));
}

void FileCommands::OpenNamed(const QString& path)
{
    if (!MayLeaveData([] { return true; })) {
        return;
    }
    OpenFile(path);
}

void FileCommands::OpenFile(const QString& path)
{
    if (path.isEmpty()) {
        return;
    }
    const RadioData& data = m_document.Record();
    // The file is read into a copy: a file refused leaves the data as they were.
    RadioData opened = data;
    const FileResult result = LoadDataFile(path, opened);
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.status) {
    case FileStatus::Ok:
        // A data set of its own: its history starts here. The port belongs to this
        // computer's cables, not to the data: the file's port is not taken (saving
        // writes the port in use into the file).
        m_document.TakeOpened(opened, path);
        m_views.RepaintBackground();
        m_views.RefreshViews();
        emit fileUsed(path);
        return;
    case FileStatus::TooShort:
    case FileStatus::NotDataFile:
    case FileStatus::OpenFailed:
    case FileStatus::WriteFailed:
        m_views.RepaintBackground();
        ShowFileError(m_views.Window(), data, OpenFailureText(data.texts, shown, result));
        return;
    }
}

bool FileCommands::Save()
{
    const QString known = m_document.FileName();
    if (known.isEmpty()) {
        return SaveAs();
    }
    // A field that fails its check stops the save.
    return m_views.CollectEdits() && SaveTo(known);
}

bool FileCommands::SaveAs()
{
    // A field that fails its check stops the save before the file is even asked for.
    if (!m_views.CollectEdits()) {
        return false;
    }
    const QString chosen = AskFileNameKeepingDirectory(FileDialogKind::Save, m_views.Window(),
                                                       DataFileFilter(), m_document.FileName());
    if (chosen.isEmpty()) {
        return false;
    }
    const QString path = WithDataFileExtension(chosen);
    // The dialog asked about the name as typed; the name the file really gets was
    // not asked about yet.
    if (path != chosen && QFileInfo::exists(path) &&
        !ConfirmReplace(m_views.Window(), m_document.Record(), path)) {
        return false;
    }
    return SaveTo(path);
}

bool FileCommands::SaveTo(const QString& path)
{
    RadioDocument& document = m_document;
    const RadioData& data = m_document.Record();
    const FileResult result = SaveDataFile(path, data);
    if (!result.ok()) {
        ShowFileError(m_views.Window(), data,
                      SaveFailureText(data.texts, QDir::toNativeSeparators(path), result));
    } else {
        document.MarkUnmodified();
        document.SetFileName(path);
        emit fileUsed(path);
    }
    m_views.RepaintBackground();
    return result.ok();
}

// The printout takes its summary from the features, key and scan views, so the four
// views are opened (or shown again) first.
void FileCommands::PrintChannels(bool preview)
{
    PrintRequest request;
    request.parent = m_views.Window();
    request.data = &m_document.Record();
    for (ViewKind kind : kAllViewKinds) {
        m_views.OpenView(kind);
        request.views[std::size_t(kind)] = m_views.View(kind);
    }
    if (preview) {
        PreviewChannelTable(request);
    } else {
        PrintChannelTable(request);
    }
}

void FileCommands::Print()
{
    PrintChannels(false);
}

void FileCommands::PrintPreview()
{
    PrintChannels(true);
}

void FileCommands::Exit()
{
    m_views.Window()->close();  // the window asks first (closeEvent)
}

}  // namespace radio
