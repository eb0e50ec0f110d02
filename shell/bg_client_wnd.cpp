#include "shell/bg_client_wnd.h"

#include <QPainter>
#include <QPointer>
#include <QTimer>

#include "widgets/message_box.h"

namespace radio {

CBgClientWnd::CBgClientWnd(ProgramFileLocator locate, QWidget* parent)
    : QMdiArea(parent),
      m_picture(std::move(locate), [this](const QString& path) { ReportUndecodable(path); })
{
    setObjectName(QStringLiteral("backgroundArea"));
    // A child window larger than the area, or pushed beyond it, is reached by scrolling.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void CBgClientWnd::SetPictureNumberSource(std::function<int()> source)
{
    m_numberSource = std::move(source);
}

void CBgClientWnd::PreparePicture()
{
    const QImage& image = m_picture.ImageFor(m_numberSource ? m_numberSource() : 0);
    const QSize size = viewport()->size();
    if (image.isNull() || size.isEmpty()) {
        m_stretched = QPixmap();
        m_stretchedFrom = nullptr;
        return;
    }
    // Stretch once per picture and size, not on every paint.
    if (m_stretchedFrom != &image || m_stretchedKey != image.cacheKey() ||
        m_stretched.size() != size) {
        m_stretched =
            QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_stretchedFrom = &image;
        m_stretchedKey = image.cacheKey();
    }
}

void CBgClientWnd::paintEvent(QPaintEvent* event)
{
    PreparePicture();
    if (m_stretched.isNull()) {
        QMdiArea::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    painter.drawPixmap(0, 0, m_stretched);
}

void CBgClientWnd::ReportUndecodable(const QString& path)
{
    // Found while painting: the box waits until the paint is over.
    Q_UNUSED(path);
    QPointer<CBgClientWnd> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self) {
            BoxRequest box;
            box.text = QStringLiteral("Error   Loading   Picture   From   Stream!");
            box.icon = QMessageBox::Warning;
            ShowBox(self->window(), box);
        }
    });
}

}  // namespace radio
