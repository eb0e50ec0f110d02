#include "shell/help_viewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/window_arrange.h"

namespace radio {

CHelpViewer::CHelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpViewer"));
    // The help window never keeps the program running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_browser->setOpenExternalLinks(true);

    auto* back = new QToolButton(this);
    back->setArrowType(Qt::LeftArrow);
    back->setEnabled(false);
    auto* forward = new QToolButton(this);
    forward->setArrowType(Qt::RightArrow);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(m_browser->documentTitle()); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser);
}

void CHelpViewer::ShowPage(const QString& path, const QString& part)
{
    QUrl url = QUrl::fromLocalFile(path);
    if (!part.isEmpty()) {
        url.setFragment(part);
    }
    m_browser->setSource(url);
    if (!m_placed) {
        // The first time over the window that asked for it, wholly on its screen; after
        // that where the user left it.
        m_placed = true;
        setGeometry(PlaceOnScreen(QApplication::activeWindow(), QSize(640, 480)));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace radio
