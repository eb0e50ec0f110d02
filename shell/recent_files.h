// File > Recent files: the last eight data files opened or saved, newest first, kept
// per user (UserSettings), never in sys.ini, so that every window of the program
// shares them. Choosing one opens it as File Open does; one that has gone away is
// taken off the list, and the user is told.
#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

namespace radio {

class FileCommands;
class RadioDocument;
class ViewManager;

// `list` with `path` at its front (once) and at most `limit` entries.
QStringList WithRecentFile(QStringList list, const QString& path, int limit);

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimit = 8;

    // Puts the submenu into `fileMenu` before `before`; `files` opens the entries.
    RecentFiles(const RadioDocument& document, ViewManager& views, FileCommands& files,
                QMenu* fileMenu, QAction* before, QObject* parent);

    // Newest first, as stored.
    QStringList Files() const;
    void Add(const QString& path);
    QMenu* Menu() const { return m_menu; }
    // The submenu's caption from the language table.
    void ApplyTexts();
    // Opens a file of the list; one that is gone is taken off it instead.
    void Open(const QString& path);
    // The submenu is disabled while it is empty and while a transfer runs.
    void UpdateEnabled();

private:
    void Store(const QStringList& files) const;
    // The entries are made when the menu is about to show, from what is stored, so
    // that a file another window of the program used is there too.
    void Rebuild();

    const RadioDocument& m_document;
    ViewManager& m_views;
    FileCommands& m_files;
    QMenu* m_menu;
};

}  // namespace radio
