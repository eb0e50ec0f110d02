// The open and save dialogs of the file commands, asked of the window's prompts, and
// the messages around them.
#pragma once

#include <QString>

#include "data/radio_data.h"
#include "widgets/prompts.h"

class QWidget;

namespace radio {

// The filter of the data-file dialogs: data files first, then every file.
QString DataFileFilter();
// The filter of the channel-plan dialogs: CSV files first, then every file.
QString CsvFileFilter();

// Shows the platform's file dialog, in `directory` when one is given; an empty result
// means Cancel. The save dialog asks before it names an existing file.
QString AskFileName(FileDialogKind kind, QWidget* parent, const QString& filter = DataFileFilter(),
                    const QString& directory = QString());
// The same; the working directory is the same afterwards, whatever the user browsed,
// so that the program's own files stay reachable by their bare names.
QString AskFileNameKeepingDirectory(FileDialogKind kind, QWidget* parent,
                                    const QString& filter = DataFileFilter(),
                                    const QString& directory = QString());

// A file that could not be read or written: a warning box with the warning caption.
void ShowFileError(QWidget* parent, const RadioData& data, const QString& text);
// Asks whether to replace an existing file that the save dialog did not ask about
// (its name was completed afterwards); No is the default.
bool ConfirmReplace(QWidget* parent, const RadioData& data, const QString& path);

}  // namespace radio
