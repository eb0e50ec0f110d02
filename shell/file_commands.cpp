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

// Asks for a file; the working directory is the same afterwards, whatever the user
// browsed, so that the program's own files stay reachable by their bare names.
QString AskKeepingDirectory(FileDialogKind kind, QWidget* parent, const QString& start = QString())
{
    const QString directory = QDir::currentPath();
    const QString path = AskFileName(kind, parent, start);
    QDir::setCurrent(directory);
    return path;
}

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

void ShowFileError(CMainFrame* frame, const QString& text)
{
    BoxRequest box;
    box.text = text;
    box.caption = UiText(frame->Data(), 89);
    box.icon = QMessageBox::Warning;
    ShowBox(frame, box);
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
    Open(folder);
}

void FileCommands::Open(const QString& directory)
{
    const QString path = AskKeepingDirectory(FileDialogKind::Open, m_frame, directory);
    if (path.isEmpty()) {
        return;
    }
    RadioData& data = m_frame->Data();
    const FileResult result = LoadDataFile(LocalPath(path), data);
    m_frame->RepaintBackground();
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.status) {
    case FileStatus::Ok: m_frame->RefreshViews(); return;
    case FileStatus::TooShort:
        ShowFileError(m_frame,
                      UiText(data, text::FileTooShort).arg(shown).arg(qulonglong(result.size)));
        return;
    case FileStatus::OpenFailed:
    case FileStatus::WriteFailed:
        ShowFileError(m_frame, UiText(data, text::FileOpenFailed)
                                   .arg(shown, QString::fromLocal8Bit(result.detail.c_str())));
        return;
    }
}

void FileCommands::Save()
{
    const QString chosen = AskKeepingDirectory(FileDialogKind::Save, m_frame);
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = QString::fromStdString(WithDataFileExtension(chosen.toStdString()));
    RadioData& data = m_frame->Data();
    // The dialog asked about the name as typed; the name the file really gets was
    // not asked about yet.
    if (path != chosen && QFileInfo::exists(path)) {
        BoxRequest box;
        box.text = UiText(data, text::FileReplace).arg(QDir::toNativeSeparators(path));
        box.caption = UiText(data, 89);
        box.icon = QMessageBox::Question;
        box.buttons = QMessageBox::Yes | QMessageBox::No;
        box.defaultButton = QMessageBox::No;
        if (ShowBox(m_frame, box) != QMessageBox::Yes) {
            return;
        }
    }
    m_frame->CollectEdits();
    const FileResult result = SaveDataFile(LocalPath(path), data);
    if (!result.ok()) {
        ShowFileError(m_frame, UiText(data, text::FileSaveFailed)
                                   .arg(QDir::toNativeSeparators(path),
                                        QString::fromLocal8Bit(result.detail.c_str())));
    }
    m_frame->RepaintBackground();
}

}  // namespace radio
