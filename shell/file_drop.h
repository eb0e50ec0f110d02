// A data file dropped on the main window is opened as File Open opens it (with the
// same questions first); the window takes a drag only of one local ".tw" file, and
// none while a read or write runs.
#pragma once

#include <QObject>
#include <QString>

class QMimeData;
class QWidget;

namespace radio {

class FileCommands;
class ViewManager;

// The local data file a drag carries; empty unless it carries exactly one local file
// whose name ends in ".tw" (in any case).
QString DroppedDataFile(const QMimeData* mime);

class FileDrop : public QObject {
    Q_OBJECT
public:
    // Makes `window` accept drops and watches its drag events; `files` opens them.
    FileDrop(QWidget* window, ViewManager& views, FileCommands& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ViewManager& m_views;
    FileCommands& m_files;
};

}  // namespace radio
