#include "shell/file_dialogs.h"

#include <QDir>

#include "config/text_of.h"
#include "widgets/message_box.h"

namespace radio {

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
    return PromptsFor(parent).FileName(kind, parent, filter, directory);
}

QString AskFileNameKeepingDirectory(FileDialogKind kind, QWidget* parent, const QString& filter,
                                    const QString& directory)
{
    const QString current = QDir::currentPath();
    const QString path = AskFileName(kind, parent, filter, directory);
    QDir::setCurrent(current);
    return path;
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

}  // namespace radio
