#include "shell/view_commands.h"

#include <QAction>
#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>

#include "shell/tree_bar.h"
#include "shell/view_manager.h"
#include "shell/window_arrange.h"

namespace radio {

ViewCommands::ViewCommands(ViewManager& views, QMdiArea* area, Bars bars, QObject* parent)
    : QObject(parent), m_views(views), m_area(area), m_bars(bars)
{
    connect(m_bars.navigation, &QDockWidget::visibilityChanged, this,
            &ViewCommands::SyncNavigationCheck);
    connect(m_bars.tools, &QToolBar::visibilityChanged, this,
            [this](bool) { m_bars.toolsCheck->setChecked(!m_bars.tools->isHidden()); });
}

void ViewCommands::ShowChannels()
{
    m_views.OpenView(ViewKind::Channels);
}

void ViewCommands::ShowFeatures()
{
    m_views.OpenView(ViewKind::Features);
}

void ViewCommands::ShowKeys()
{
    m_views.OpenView(ViewKind::Keys);
}

void ViewCommands::ShowScan()
{
    m_views.OpenView(ViewKind::Scan);
}

void ViewCommands::ShowNavigationBar()
{
    m_bars.navigation->setVisible(m_bars.navigation->isHidden());
    SyncNavigationCheck();
}

void ViewCommands::ShowToolBar(bool shown)
{
    m_bars.tools->setVisible(shown);
}

void ViewCommands::ShowStatusBar(bool shown)
{
    m_bars.status->setVisible(shown);
}

void ViewCommands::Cascade()
{
    m_area->cascadeSubWindows();
}

void ViewCommands::TileHorizontally()
{
    radio::TileHorizontally(m_area);
}

void ViewCommands::TileVertically()
{
    radio::TileVertically(m_area);
}

void ViewCommands::ArrangeIcons()
{
    radio::ArrangeIcons(m_area);
}

void ViewCommands::CloseNavigationBar()
{
    if (!m_bars.navigation->isHidden()) {
        m_bars.navigation->hide();
    }
    SyncNavigationCheck();
}

void ViewCommands::SyncNavigationCheck()
{
    m_bars.navigationCheck->setChecked(!m_bars.navigation->isHidden());
}

}  // namespace radio
