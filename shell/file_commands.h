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
    // Asks for a data file, in `directory` when one is given, and opens it.
    void Open(const QString& directory = QString());
    // Open in the folder of the automatic backups (created when missing).
    void OpenBackup();
    void Save();

private:
    CMainFrame* m_frame;
};

}  // namespace radio
