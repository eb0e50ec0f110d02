#include "shell/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "config/text_of.h"
#include "config/user_settings.h"
#include "shell/file_commands.h"
#include "shell/view_manager.h"
#include "widgets/message_box.h"
#include "widgets/radio_document.h"

namespace radio {

namespace {
const char* const kKey = "recentFiles";
}  // namespace

QStringList WithRecentFile(QStringList list, const QString& path, int limit)
{
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > limit) {
        list.removeLast();
    }
    return list;
}

RecentFiles::RecentFiles(const RadioDocument& document, ViewManager& views, FileCommands& files,
                         QMenu* fileMenu, QAction* before, QObject* parent)
    : QObject(parent),
      m_document(document),
      m_views(views),
      m_files(files),
      m_menu(new QMenu(fileMenu))
{
    m_menu->setObjectName(QStringLiteral("recentFilesMenu"));
    fileMenu->insertMenu(before, m_menu);
    fileMenu->insertSeparator(before);
    connect(fileMenu, &QMenu::aboutToShow, this, &RecentFiles::Rebuild);
    Rebuild();
}

QStringList RecentFiles::Files() const
{
    return UserSettings()->value(QString::fromLatin1(kKey)).toStringList();
}

void RecentFiles::Store(const QStringList& files) const
{
    UserSettings()->setValue(QString::fromLatin1(kKey), files);
}

void RecentFiles::Add(const QString& path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    Store(WithRecentFile(Files(), absolute, kLimit));
    Rebuild();
}

void RecentFiles::ApplyTexts()
{
    m_menu->setTitle(UiText(m_document.Record(), text::RecentFiles));
}

void RecentFiles::Open(const QString& path)
{
    if (m_views.TransferRunning()) {
        return;
    }
    if (!QFileInfo(path).isFile()) {
        QStringList files = Files();
        files.removeAll(path);
        Store(files);
        Rebuild();
        BoxRequest box;
        box.text =
            UiText(m_document.Record(), text::RecentFileGone).arg(QDir::toNativeSeparators(path));
        box.caption = UiText(m_document.Record(), text::WarningCaption);
        box.icon = QMessageBox::Warning;
        ShowBox(m_views.Window(), box);
        return;
    }
    m_files.OpenNamed(path);
}

void RecentFiles::UpdateEnabled()
{
    m_menu->setEnabled(!m_menu->isEmpty() && !m_views.TransferRunning());
}

void RecentFiles::Rebuild()
{
    m_menu->clear();
    const QStringList files = Files();
    for (int i = 0; i < files.size(); ++i) {
        // An ampersand in a name is a character, not an access key.
        QString name = QDir::toNativeSeparators(files.at(i));
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        const QString path = files.at(i);
        connect(action, &QAction::triggered, this, [this, path] { Open(path); });
    }
    UpdateEnabled();
}

}  // namespace radio
