// The status bar: its first pane shows "Ready", or the progress bar while a read or
// write runs, with a word on the pass in progress when there is more than one (the
// verify after a write). A note on the right tells what went wrong beside the
// transfer (a backup that could not be saved) until the next transfer starts. The
// last pane always names the port in use and the device it stands for.
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
    // Shown beside the progress bar until the bar hides.
    void SetPassText(const QString& text);
    // Shown on the right while not empty.
    void SetNote(const QString& text);
    // "COM2 (/dev/ttyUSB1)"; the name alone while no device stands for it.
    void SetPort(const QString& name, const QString& device);
    // What the first pane says while no transfer runs, in the interface's language.
    void SetReadyText(const QString& text);

    bool ProgressVisible() const;
    int ProgressValue() const;
    QString PaneText() const;
    QString PassText() const;
    QString Note() const;
    QString PortText() const;

private:
    QLabel* m_pane;
    QLabel* m_pass;
    QProgressBar* m_progress;
    QLabel* m_note;
    QLabel* m_port;
    QString m_ready;
};

}  // namespace radio
