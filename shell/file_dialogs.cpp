#include "shell/file_dialogs.h"

#include <QFileDialog>

namespace radio {

namespace {
FileDialogHandler g_fileDialogHandler;
QString g_lastDirectory;
}  // namespace

QString DataFileFilter()
{
    return QStringLiteral("tw Files (*.tw);;All Files (*.*)");
}

QString AskFileName(FileDialogKind kind, QWidget* parent, const QString& directory)
{
    const QString filter = DataFileFilter();
    g_lastDirectory = directory;
    if (g_fileDialogHandler) {
        return g_fileDialogHandler(kind, filter);
    }
    if (kind == FileDialogKind::Open) {
        return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
    }
    return QFileDialog::getSaveFileName(parent, QString(), directory, filter);
}

QString LastFileDialogDirectory()
{
    return g_lastDirectory;
}

void SetFileDialogHandler(FileDialogHandler handler)
{
    g_fileDialogHandler = std::move(handler);
}

}  // namespace radio
