// The grid of the channel table: a table view that reports clicks and typed characters
// to the channel view instead of editing by itself, holds the numeric-entry lock while
// the left mouse button is down on it, and shows the label column's header text in
// its corner.
#pragma once

#include <QPersistentModelIndex>
#include <QTableView>

class QAbstractButton;

namespace radio {

class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGrid(QWidget* parent = nullptr);

    void SetCornerText(const QString& text);
    QString CornerText() const { return m_cornerText; }

signals:
    // The left button went down and up on the same cell.
    void cellClicked();
    // A character typed on the grid: printable characters, Backspace (8) and Enter (13).
    void characterTyped(int code);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPersistentModelIndex m_pressed;
    QString m_cornerText;
    QAbstractButton* m_corner = nullptr;
};

}  // namespace radio
