// The navigation bar: a dockable, resizable bar at the left of the main window with
// the tree of the editing views. It starts hidden.
#pragma once

#include <QDockWidget>

#include "data/radio_data.h"
#include "shell/view_kind.h"

namespace radio {

class CNavTreeCtrl;

class CTreeBar : public QDockWidget {
    Q_OBJECT
public:
    CTreeBar(const RadioData* data, QWidget* parent = nullptr);

    // Fills the tree: the root ("Radio data") and the four views by their titles, all
    // expanded, the root selected. With `rebuild` the old items go first.
    void BuildTree(bool rebuild);

    CNavTreeCtrl* Tree() const { return m_tree; }
    // While a transfer runs the items open no view: the tree is disabled, and a
    // choice that still arrives is dropped. The bar itself may still be shown.
    void SetTransferRunning(bool running);

signals:
    void viewRequested(ViewKind kind);

private:
    void OnLabelChosen(const QString& text);

    const RadioData* m_data;
    CNavTreeCtrl* m_tree;
    bool m_transferRunning = false;
};

}  // namespace radio
