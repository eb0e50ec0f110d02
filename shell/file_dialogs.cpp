#include "shell/file_dialogs.h"

#include <QFileDialog>

namespace radio {

namespace {
FileDialogHandler g_fileDialogHandler;
}  // namespace

QString DataFileFilter()
{
    return QStringLiteral("tw Files (*.tw);;All Files (*.*)");
}

QString AskFileName(FileDialogKind kind, QWidget* parent)
{
    const QString filter = DataFileFilter();
    if (g_fileDialogHandler) {
        return g_fileDialogHandler(kind, filter);
    }
    if (kind == FileDialogKind::Open) {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    }
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

void SetFileDialogHandler(FileDialogHandler handler)
{
    g_fileDialogHandler = std::move(handler);
}

}  // namespace radio
