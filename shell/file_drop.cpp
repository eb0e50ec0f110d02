#include "shell/file_drop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "shell/file_commands.h"
#include "shell/view_manager.h"

namespace radio {

QString DroppedDataFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls()) {
        return QString();
    }
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) {
        return QString();
    }
    const QString path = urls.first().toLocalFile();
    return QFileInfo(path).suffix().compare(QLatin1String("tw"), Qt::CaseInsensitive) == 0
               ? path
               : QString();
}

FileDrop::FileDrop(QWidget* window, ViewManager& views, FileCommands& files)
    : QObject(window), m_views(views), m_files(files)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!DroppedDataFile(drag->mimeData()).isEmpty() && !m_views.TransferRunning()) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedDataFile(drop->mimeData());
        if (path.isEmpty() || m_views.TransferRunning()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // Opened once the drop has ended: the questions File Open may ask must not
        // keep the program the file came from waiting for the end of the drop.
        QTimer::singleShot(0, this, [this, path] {
            if (!m_views.TransferRunning()) {
                m_files.OpenNamed(path);
            }
        });
        return true;
    }
    default: return QObject::eventFilter(watched, event);
    }
}

}  // namespace radio
