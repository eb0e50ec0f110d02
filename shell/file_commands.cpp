#include "shell/file_commands.h"

#include <QDir>
#include <QFileInfo>

#include "config/backup_store.h"
#include "config/file_messages.h"
#include "config/file_reading.h"
#include "config/file_saving.h"
#include "config/text_of.h"
#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "widgets/message_box.h"

namespace radio {

FileCommands::FileCommands(CMainFrame* frame) : QObject(frame), m_frame(frame) {}

bool FileCommands::MayLeaveData(const std::function<bool()>& askWhenUnchanged)
{
    // What the views hold belongs to the data; a field that fails its check stops.
    if (!m_frame->CollectEdits()) {
        return false;
    }
    RadioDocument& document = m_frame->Document();
    if (!document.IsModified()) {
        return askWhenUnchanged();
    }
    const RadioData& data = m_frame->Data();
    BoxRequest box;
    box.text = UiText(data, text::SaveChanges);
    box.caption = UiText(data, 89);
    box.icon = QMessageBox::Warning;
    box.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    box.defaultButton = QMessageBox::Cancel;
    switch (ShowBox(m_frame, box)) {
    case QMessageBox::Save: return Save();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void FileCommands::New()
{
    const bool confirmed = MayLeaveData([this] {
        const RadioData& data = m_frame->Data();
        return ConfirmWarning(m_frame, UiText(data, 73), UiText(data, 89));
    });
    if (!confirmed) {
        return;
    }
    m_frame->Document().ResetToNew();
    m_frame->RefreshViews();
}

void FileCommands::OpenBackup()
{
    if (!MayLeaveData([] { return true; })) {
        return;
    }
    const QString folder = BackupFolder();
    QDir().mkpath(folder);  // the dialog opens there even before the first backup
    OpenFile(AskFileNameKeepingDirectory(FileDialogKind::Open, m_frame, DataFileFilter(), folder));
}

void FileCommands::Open(const QString& given)
{
    if (!MayLeaveData([] { return true; })) {
        return;
    }
    OpenFile(given.isEmpty() ? AskFileNameKeepingDirectory(FileDialogKind::Open, m_frame) : given);
}

void FileCommands::OpenFile(const QString& path)
{
    if (path.isEmpty()) {
        return;
    }
    const RadioData& data = m_frame->Data();
    // The file is read into a copy: a file refused leaves the data as they were.
    RadioData opened = data;
    const FileResult result = LoadDataFile(path, opened);
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.status) {
    case FileStatus::Ok:
        // A data set of its own: its history starts here. The port belongs to this
        // computer's cables, not to the data: the file's port is not taken (saving
        // writes the port in use into the file).
        m_frame->Document().TakeOpened(opened, path);
        m_frame->RepaintBackground();
        m_frame->RefreshViews();
        emit fileUsed(path);
        return;
    case FileStatus::TooShort:
    case FileStatus::NotDataFile:
    case FileStatus::OpenFailed:
    case FileStatus::WriteFailed:
        m_frame->RepaintBackground();
        ShowFileError(m_frame, data, OpenFailureText(data.texts, shown, result));
        return;
    }
}

bool FileCommands::Save()
{
    const QString known = m_frame->Document().FileName();
    if (known.isEmpty()) {
        return SaveAs();
    }
    // A field that fails its check stops the save.
    return m_frame->CollectEdits() && SaveTo(known);
}

bool FileCommands::SaveAs()
{
    // A field that fails its check stops the save before the file is even asked for.
    if (!m_frame->CollectEdits()) {
        return false;
    }
    const QString chosen = AskFileNameKeepingDirectory(
        FileDialogKind::Save, m_frame, DataFileFilter(), m_frame->Document().FileName());
    if (chosen.isEmpty()) {
        return false;
    }
    const QString path = WithDataFileExtension(chosen);
    // The dialog asked about the name as typed; the name the file really gets was
    // not asked about yet.
    if (path != chosen && QFileInfo::exists(path) &&
        !ConfirmReplace(m_frame, m_frame->Data(), path)) {
        return false;
    }
    return SaveTo(path);
}

bool FileCommands::SaveTo(const QString& path)
{
    RadioDocument& document = m_frame->Document();
    const RadioData& data = m_frame->Data();
    const FileResult result = SaveDataFile(path, data);
    if (!result.ok()) {
        ShowFileError(m_frame, data,
                      SaveFailureText(data.texts, QDir::toNativeSeparators(path), result));
    } else {
        document.MarkUnmodified();
        document.SetFileName(path);
        emit fileUsed(path);
    }
    m_frame->RepaintBackground();
    return result.ok();
}

}  // namespace radio
