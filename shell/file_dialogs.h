// The open and save dialogs of the data-file commands, replaceable by tests.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace radio {

enum class FileDialogKind { Open, Save };

// The filter of both dialogs: data files first, then every file.
QString DataFileFilter();

// Shows the platform's file dialog; an empty result means Cancel. The save dialog
// asks before it names an existing file.
QString AskFileName(FileDialogKind kind, QWidget* parent);

// Tests answer the dialogs; the handler gets the kind and the filter. An empty
// function restores the real dialogs.
using FileDialogHandler = std::function<QString(FileDialogKind, const QString& filter)>;
void SetFileDialogHandler(FileDialogHandler handler);

}  // namespace radio
