// File New, Open, Save and Save As. A data file is the record's image (".tw"). Save
// writes to the file the data set was last opened from or saved to without a
// question; Save As asks for a name, and so does Save while the set has no file (new,
// or read from a radio). With unsaved changes, New, Open and a read from the radio ask
// Save / Discard / Cancel first (Cancel the default).
#pragma once

#include <QObject>
#include <functional>

#include "widgets/radio_document.h"

namespace radio {

class ViewManager;

class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(RadioDocument& document, ViewManager& views, QObject* parent);

    // Asks first (Cancel is the default); on OK every block and the port go back
    // to their defaults, the band and the model stay.
    void New();
    // File Open; the port in use stays (a file's port is not taken). The user chooses
    // the file.
    void Open();
    // The same for a name given by the command line, a drop on the window or the
    // recent files, without the file dialog.
    void OpenNamed(const QString& path);
    // File Open in the folder of the automatic backups (created when missing).
    void OpenBackup();
    // File > Compare with file...: how a data file differs from the data being edited,
    // which stay as they are.
    void CompareWithFile();
    // False when nothing was saved (cancelled, refused or failed).
    bool Save();
    bool SaveAs();
    // Before the data is given up (New, Open, Exit): the views' edits are collected,
    // and changes that were not saved are asked about: Save (File Save; it must
    // succeed), Discard or Cancel. Without such changes `askWhenUnchanged` decides.
    // True when the command may go on.
    bool MayLeaveData(const std::function<bool()>& askWhenUnchanged);
    // File Print and Print preview of the channel table.
    void Print();
    void PrintPreview();
    // File Exit: the window closes, asking first.
    void Exit();

signals:
    // A data file was opened or saved under `path`.
    void fileUsed(const QString& path);

private:
    void OpenFile(const QString& path);
    bool SaveTo(const QString& path);
    void PrintChannels(bool preview);

    RadioDocument& m_document;
    ViewManager& m_views;
};

}  // namespace radio
