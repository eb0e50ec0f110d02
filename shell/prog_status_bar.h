// The status bar: its first pane shows "Ready", or the progress bar while a read or
// write runs.
#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace radio {

class CProgStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CProgStatusBar(QWidget* parent = nullptr);

    // 0 hides the progress bar, any other value shows it; whenever it appears or
    // disappears the message of the first pane is cleared. The position is the value
    // kept within the bar's range 0-100.
    void SetProgress(int value);

    bool ProgressVisible() const;
    int ProgressValue() const;
    QString PaneText() const;

private:
    QLabel* m_pane;
    QProgressBar* m_progress;
};

}  // namespace radio
