// Programming > Write to several radios: COM1 to COM10 with the device each stands
// for, a check box for each port that opens, and per port a progress bar and the
// result. Start (the default button: Enter presses it) writes the data into every
// checked radio at the same time; once all have ended it runs again for the next
// batch, after the radios have been swapped. The dialog cannot be closed while a
// batch runs.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "data/radio_data.h"
#include "shell/write_batch.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace radio {

class CMultiWriteDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPorts = 10;

    // `data` is only read, for each batch anew. `mask`: bit n set when COMn opened.
    // `devices[n - 1]`: the device COMn stands for, empty when none.
    CMultiWriteDlg(const RadioData& data, quint16 mask, const std::array<QString, kPorts>& devices,
                   QWidget* parent = nullptr);
    ~CMultiWriteDlg() override;

    QCheckBox* PortBox(int port) const { return m_rows[std::size_t(port - 1)].check; }
    QProgressBar* PortProgress(int port) const { return m_rows[std::size_t(port - 1)].bar; }
    QLabel* PortResult(int port) const { return m_rows[std::size_t(port - 1)].result; }
    QCheckBox* VerifyBox() const { return m_verify; }
    QLabel* Note() const { return m_note; }
    QPushButton* StartButton() const { return m_start; }
    bool Running() const;

    // Starts a batch on the checked ports; false when one runs or none is checked.
    bool StartBatch();

public slots:
    void reject() override;

signals:
    void batchFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row {
        QCheckBox* check = nullptr;
        QProgressBar* bar = nullptr;
        QLabel* result = nullptr;
        bool opens = false;
    };

    void SetRunning(bool running);
    void PortEnded(int port);
    // The row's result, whole (wrapped, in the tooltip, selectable), marked when failed.
    void ShowResult(int port, const QString& text, bool failed);
    bool AskMismatch(const std::vector<WriteBatch::Mismatch>& radios);

    const RadioData& m_data;
    std::array<Row, kPorts> m_rows{};
    QCheckBox* m_verify;
    QLabel* m_note;  // a backup that could not be saved
    QPushButton* m_start;
    QPushButton* m_close;
    std::unique_ptr<WriteBatch> m_batch;
};

}  // namespace radio
