#include "shell/file_dialogs.h"

#include <QDir>
#include <QFileDialog>

#include "config/text_of.h"
#include "widgets/message_box.h"

namespace radio {

namespace {
FileDialogHandler g_fileDialogHandler;
QString g_lastDirectory;
}  // namespace

QString DataFileFilter()
{
    return QStringLiteral("tw Files (*.tw);;All Files (*.*)");
}

QString CsvFileFilter()
{
    return QStringLiteral("CSV Files (*.csv);;All Files (*.*)");
}

QString AskFileName(FileDialogKind kind, QWidget* parent, const QString& filter,
                    const QString& directory)
{
    g_lastDirectory = directory;
    if (g_fileDialogHandler) {
        return g_fileDialogHandler(kind, filter);
    }
    if (kind == FileDialogKind::Open) {
        return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
    }
    return QFileDialog::getSaveFileName(parent, QString(), directory, filter);
}

QString AskFileNameKeepingDirectory(FileDialogKind kind, QWidget* parent, const QString& filter,
                                    const QString& directory)
{
    const QString current = QDir::currentPath();
    const QString path = AskFileName(kind, parent, filter, directory);
    QDir::setCurrent(current);
    return path;
}

QString LastFileDialogDirectory()
{
    return g_lastDirectory;
}

void ShowFileError(QWidget* parent, const RadioData& data, const QString& text)
{
    BoxRequest box;
    box.text = text;
    box.caption = UiText(data, text::WarningCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(parent, box);
}

bool ConfirmReplace(QWidget* parent, const RadioData& data, const QString& path)
{
    BoxRequest box;
    box.text = UiText(data, text::FileReplace).arg(QDir::toNativeSeparators(path));
    box.caption = UiText(data, text::WarningCaption);
    box.icon = QMessageBox::Question;
    box.buttons = QMessageBox::Yes | QMessageBox::No;
    box.defaultButton = QMessageBox::No;
    return ShowBox(parent, box) == QMessageBox::Yes;
}

void SetFileDialogHandler(FileDialogHandler handler)
{
    g_fileDialogHandler = std::move(handler);
}

}  // namespace radio
