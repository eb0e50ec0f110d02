#include "shell/tree_bar.h"

#include "config/text_of.h"
#include "shell/nav_tree_ctrl.h"

namespace radio {

CTreeBar::CTreeBar(const RadioData* data, QWidget* parent)
    : QDockWidget(QStringLiteral("数据浏览条"), parent),
      m_data(data),
      m_tree(new CNavTreeCtrl(this))
{
    setObjectName(QStringLiteral("navigationBar"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setWidget(m_tree);
    connect(m_tree, &CNavTreeCtrl::labelChosen, this, &CTreeBar::OnLabelChosen);
}

void CTreeBar::BuildTree(bool rebuild)
{
    if (rebuild) {
        m_tree->clear();
    }
    m_tree->setAccessibleName(PlainCaption(UiText(*m_data, text::MenuNavigationBar)));
    auto* root = new QTreeWidgetItem(m_tree, QStringList(UiText(*m_data, text::RadioData)));
    for (ViewKind kind : kAllViewKinds) {
        auto* item = new QTreeWidgetItem(root, QStringList(UiText(*m_data, ViewNameText(kind))));
        item->setExpanded(true);
    }
    root->setExpanded(true);
    m_tree->setCurrentItem(root);
}

void CTreeBar::SetTransferRunning(bool running)
{
    m_transferRunning = running;
    m_tree->setEnabled(!running);
}

void CTreeBar::OnLabelChosen(const QString& text)
{
    if (m_transferRunning) {
        return;
    }
    // The first view whose name equals the item's text; the root matches none
    // unless its text happens to equal a view's name.
    for (ViewKind kind : kAllViewKinds) {
        if (text == UiText(*m_data, ViewNameText(kind))) {
            emit viewRequested(kind);
            return;
        }
    }
}

}  // namespace radio
