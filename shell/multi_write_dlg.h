// Programming > Write to several radios: COM1 to COM10 with the device each stands
// for, a check box for each port that opens, and per port a progress bar, the codes it
// will get and the result. Start (the default button: Enter presses it) writes the
// data into every checked radio at the same time; once all have ended it runs again
// for the next batch, after the radios have been swapped. Code 1 and Code 2 may count
// up from a start, one per radio, going on from batch to batch; a radio that failed
// keeps its codes for the next try. With a job log each radio's row is appended as it
// ends and shown below. Stop lets the radios being written end and writes no other;
// Write the rest tries again the radios of the last batch that were not written. The
// dialog cannot be closed while a batch runs.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "data/radio_data.h"
#include "shell/batch_codes.h"
#include "shell/write_batch.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace radio {

class CMultiWriteDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPorts = 10;

    // `data` is only read, for each batch anew. `mask`: bit n set when COMn opened.
    // `devices[n - 1]`: the device COMn stands for, empty when none. `dataFile`: what
    // the job log names as the data written.
    CMultiWriteDlg(const RadioData& data, quint16 mask, const std::array<QString, kPorts>& devices,
                   const QString& dataFile, QWidget* parent = nullptr);
    ~CMultiWriteDlg() override;

    QCheckBox* PortBox(int port) const { return m_rows[std::size_t(port - 1)].check; }
    QProgressBar* PortProgress(int port) const { return m_rows[std::size_t(port - 1)].bar; }
    QLabel* PortResult(int port) const { return m_rows[std::size_t(port - 1)].result; }
    // The codes the port's radio gets in the next batch.
    QLabel* PortCodes(int port) const { return m_rows[std::size_t(port - 1)].codes; }
    QCheckBox* VerifyBox() const { return m_verify; }
    QLineEdit* CodeStart(int which) const { return m_codeStart[std::size_t(which)]; }
    QCheckBox* JobLogBox() const { return m_keepLog; }
    QPushButton* ChooseLogButton() const { return m_chooseLog; }
    QTreeWidget* LogRows() const { return m_logRows; }
    QLabel* Note() const { return m_note; }
    QPushButton* StartButton() const { return m_start; }
    QPushButton* StopButton() const { return m_stop; }
    QPushButton* RestButton() const { return m_rest; }
    bool Running() const;

    // Starts a batch on the checked ports; false when one runs, none is checked, or
    // the codes or the job log cannot be given (the user is told why).
    bool StartBatch();
    // Starts a batch on the radios of the last one that were not written.
    bool StartRest();

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
        QLabel* codes = nullptr;
        QLabel* result = nullptr;
        bool opens = false;
    };

    bool Start(const std::vector<int>& ports);
    // The codes beside each checked port, as the next batch would give them.
    void ShowPlannedCodes();
    QString CodesText(const BatchCodes::Codes& codes) const;
    QString NextCodesText(const BatchCodes::Codes& codes) const;
    // Why a start cannot give the codes, with the focus on its field; false then.
    bool CodesGiven(const std::vector<int>& ports, BatchCodes::Plan& plan);
    // The job log of the next batch; false (the user told) when it cannot be kept.
    bool LogReady(std::shared_ptr<JobLog>& log);
    void ChooseLog();
    void Warn(const QString& text);
    void ShowLogRow(int port);
    QString LogResultText(const MultiWriteResult& result, bool stopped) const;
    void BatchEnded();
    void SetRunning(bool running);
    void PortEnded(int port);
    // The row's result, whole (wrapped, in the tooltip, selectable), marked when failed.
    void ShowResult(int port, const QString& text, bool failed);
    bool AskMismatch(const std::vector<WriteBatch::Mismatch>& radios);

    const RadioData& m_data;
    std::array<QString, kPorts> m_devices;
    QString m_dataFile;
    std::array<Row, kPorts> m_rows{};
    std::array<QLineEdit*, 2> m_codeStart{};
    QCheckBox* m_keepLog;
    QLabel* m_logPath;
    QPushButton* m_chooseLog;
    QTreeWidget* m_logRows;
    QCheckBox* m_verify;
    QLabel* m_note;  // a backup that could not be saved
    QPushButton* m_start;
    QPushButton* m_stop;
    QPushButton* m_rest;
    QPushButton* m_close;
    BatchCodes m_codes;
    BatchCodes::Plan m_plan;       // the codes of the batch under way, or of the last
    std::vector<int> m_unwritten;  // ports of the last batch that were not written
    std::unique_ptr<WriteBatch> m_batch;
};

}  // namespace radio
