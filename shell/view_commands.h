// The commands that show things: the four editing views (Edit menu), the bars (View
// menu) and the arrangement of the child windows (Window menu).
#pragma once

#include <QObject>

class QAction;
class QMdiArea;
class QStatusBar;
class QToolBar;

namespace radio {

class CTreeBar;
class ViewManager;

class ViewCommands : public QObject {
    Q_OBJECT
public:
    struct Bars {
        CTreeBar* navigation;
        QAction* navigationCheck;  // View > Navigation bar, checked while it shows
        QToolBar* tools;
        QAction* toolsCheck;
        QStatusBar* status;
    };
    ViewCommands(ViewManager& views, QMdiArea* area, Bars bars, QObject* parent);

    void ShowChannels();
    void ShowFeatures();
    void ShowKeys();
    void ShowScan();

    // Toggles the navigation bar (whatever the check mark said); the mark follows.
    void ShowNavigationBar();
    void ShowToolBar(bool shown);
    void ShowStatusBar(bool shown);

    void Cascade();
    void TileHorizontally();
    void TileVertically();
    void ArrangeIcons();
    // Window > Close all windows: closes the navigation bar; the child windows stay.
    void CloseNavigationBar();

    // The check mark follows the navigation bar.
    void SyncNavigationCheck();

private:
    ViewManager& m_views;
    QMdiArea* m_area;
    Bars m_bars;
};

}  // namespace radio
