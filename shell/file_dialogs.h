// The open and save dialogs of the data-file commands, replaceable by tests.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace radio {

enum class FileDialogKind { Open, Save };

// The filter of both dialogs: data files first, then every file.
QString DataFileFilter();

// Shows the platform's file dialog, in `directory` when one is given; an empty result
// means Cancel. The save dialog asks before it names an existing file.
QString AskFileName(FileDialogKind kind, QWidget* parent, const QString& directory = QString());
// The folder the last dialog was asked to open in (empty: the dialog's own choice).
QString LastFileDialogDirectory();

// Tests answer the dialogs; the handler gets the kind and the filter. An empty
// function restores the real dialogs.
using FileDialogHandler = std::function<QString(FileDialogKind, const QString& filter)>;
void SetFileDialogHandler(FileDialogHandler handler);

}  // namespace radio
