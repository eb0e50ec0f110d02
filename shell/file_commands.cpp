#include "shell/file_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "config/backup_store.h"
#include "config/file_saving.h"
#include "config/text_of.h"
#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "widgets/message_box.h"

namespace radio {

namespace {

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

}  // namespace

FileCommands::FileCommands(CMainFrame* frame) : QObject(frame), m_frame(frame) {}

void FileCommands::New()
{
    RadioData& data = m_frame->Data();
    BoxRequest box;
    box.text = UiText(data, 73);
    box.caption = UiText(data, 89);
    box.icon = QMessageBox::Warning;
    box.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    box.defaultButton = QMessageBox::Cancel;
    if (ShowBox(m_frame, box) != QMessageBox::Ok) {
        return;
    }
    data.ResetRecord(false);
    m_frame->RefreshViews();
}

void FileCommands::OpenBackup()
{
    const QString folder = BackupFolder();
    QDir().mkpath(folder);  // the dialog opens there even before the first backup
    OpenFile(AskFileNameKeepingDirectory(FileDialogKind::Open, m_frame, DataFileFilter(), folder));
}

void FileCommands::Open(const QString& given)
{
    OpenFile(given.isEmpty() ? AskFileNameKeepingDirectory(FileDialogKind::Open, m_frame) : given);
}

void FileCommands::OpenFile(const QString& path)
{
    if (path.isEmpty()) {
        return;
    }
    RadioData& data = m_frame->Data();
    const FileResult result = LoadDataFile(LocalPath(path), data);
    m_frame->RepaintBackground();
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.status) {
    case FileStatus::Ok:
        m_frame->RefreshViews();
        emit fileUsed(path);
        return;
    case FileStatus::TooShort:
        ShowFileError(m_frame, data,
                      UiText(data, text::FileTooShort).arg(shown).arg(qulonglong(result.size)));
        return;
    case FileStatus::OpenFailed:
    case FileStatus::WriteFailed:
        ShowFileError(m_frame, data,
                      UiText(data, text::FileOpenFailed)
                          .arg(shown, QString::fromLocal8Bit(result.detail.c_str())));
        return;
    }
}

void FileCommands::Save()
{
    // A field that fails its check stops the save before the file is even asked for.
    if (!m_frame->CollectEdits()) {
        return;
    }
    const QString chosen = AskFileNameKeepingDirectory(FileDialogKind::Save, m_frame);
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = QString::fromStdString(WithDataFileExtension(chosen.toStdString()));
    RadioData& data = m_frame->Data();
    // The dialog asked about the name as typed; the name the file really gets was
    // not asked about yet.
    if (path != chosen && QFileInfo::exists(path) && !ConfirmReplace(m_frame, data, path)) {
        return;
    }
    const FileResult result = SaveDataFile(LocalPath(path), data);
    if (!result.ok()) {
        ShowFileError(m_frame, data,
                      UiText(data, text::FileSaveFailed)
                          .arg(QDir::toNativeSeparators(path),
                               QString::fromLocal8Bit(result.detail.c_str())));
    } else {
        emit fileUsed(path);
    }
    m_frame->RepaintBackground();
}

}  // namespace radio
