// The tree of the navigation bar: a root item and one item per editing view. A press
// on an item's label, or Enter on the current item, asks for that item's view.
#pragma once

#include <QTreeWidget>

namespace radio {

class CNavTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CNavTreeCtrl(QWidget* parent = nullptr);

    // Where the label (the text, not the branch or the indentation) of `item` lies.
    QRect LabelRect(QTreeWidgetItem* item) const;

signals:
    // The text of the item whose label was pressed or activated.
    void labelChosen(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace radio
