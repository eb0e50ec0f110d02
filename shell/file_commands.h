// File New, Open, Save and Save As. A data file is the record's image (".tw"); the
// program keeps no current file name, so Save asks for one as Save As does.
#pragma once

#include <QObject>

namespace radio {

class CMainFrame;

class FileCommands : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(CMainFrame* frame);

    // Asks first (Cancel is the default); on OK every block and the port go back
    // to their defaults, the band and the model stay.
    void New();
    // File Open. With `given` empty the user chooses the file; a name given by the
    // command line, a drop on the window or the recent files takes the same road
    // without the file dialog.
    void Open(const QString& given = QString());
    // File Open in the folder of the automatic backups (created when missing).
    void OpenBackup();
    void Save();

signals:
    // A data file was opened or saved under `path`.
    void fileUsed(const QString& path);

private:
    void OpenFile(const QString& path);

    CMainFrame* m_frame;
};

}  // namespace radio
