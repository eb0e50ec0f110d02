#include "shell/multi_write_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "config/backup_store.h"
#include "config/file_messages.h"
#include "config/text_of.h"
#include "config/user_preferences.h"
#include "data/data_file.h"
#include "link/adapter_info.h"
#include "link/port_names.h"
#include "shell/file_dialogs.h"
#include "shell/transfer_texts.h"
#include "widgets/message_box.h"

namespace radio {

namespace {
// Wide enough for a short result on one line and a failure's reason on a few.
constexpr int kResultWidth = 360;
const QColor kFailedColor(0xC0, 0x10, 0x10);
// The job log's rows shown: about six before the list scrolls.
constexpr int kLogRowsHeight = 130;
constexpr int kLogColumns = 5;  // time, port, Code 1, Code 2, result
}  // namespace

CMultiWriteDlg::CMultiWriteDlg(const RadioData& data, quint16 mask,
                               const std::array<QString, kPorts>& devices, const QString& dataFile,
                               QWidget* parent)
    : QDialog(parent),
      m_data(data),
      m_devices(devices),
      m_dataFile(dataFile),
      m_keepLog(new QCheckBox(UiText(data, text::KeepJobLog), this)),
      m_logPath(new QLabel(this)),
      m_chooseLog(new QPushButton(UiText(data, text::ChooseJobLog), this)),
      m_logRows(new QTreeWidget(this)),
      m_verify(new QCheckBox(UiText(data, text::VerifyAfterWrite), this)),
      m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("multiWriteDialog"));
    setWindowTitle(UiText(data, text::WriteSeveralTitle));

    auto* grid = new QGridLayout;
    for (int n = 1; n <= kPorts; ++n) {
        Row& row = m_rows[std::size_t(n - 1)];
        const QString device = devices[std::size_t(n - 1)];
        const QString name = PortName(n);
        row.check = new QCheckBox(
            device.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, device), this);
        row.opens = (mask >> n) & 1;
        row.check->setEnabled(row.opens);
        row.bar = new QProgressBar(this);
        row.bar->setRange(0, 100);
        row.bar->setValue(0);
        row.bar->setTextVisible(false);
        row.codes = new QLabel(this);
        // Room for a code of each kind, so that the dialog does not jump as they come.
        row.codes->setWordWrap(true);
        row.codes->setMinimumWidth(fontMetrics().horizontalAdvance(
            UiText(data, text::NextCodes)
                .arg(UiText(data, text::Code1) + QStringLiteral(" 00000000"))));
        row.result = new QLabel(this);
        // A failure's reason may run long: it wraps within a fixed width (so that
        // the dialog stays on the screen), can be selected and copied, and shows
        // whole in the tooltip.
        row.result->setFixedWidth(kResultWidth);
        row.result->setWordWrap(true);
        row.result->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::MinimumExpanding);
        grid->addWidget(row.check, n - 1, 0);
        grid->addWidget(row.bar, n - 1, 1);
        grid->addWidget(row.codes, n - 1, 2);
        grid->addWidget(row.result, n - 1, 3);
        connect(row.check, &QCheckBox::toggled, this, &CMultiWriteDlg::ShowPlannedCodes);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);

    // The codes: empty fields leave each radio the data's own.
    auto* codes = new QFormLayout;
    for (int which = 0; which < 2; ++which) {
        QLineEdit* edit = new QLineEdit(this);
        m_codeStart[std::size_t(which)] = edit;
        edit->setObjectName(which == 0 ? QStringLiteral("code1Start")
                                       : QStringLiteral("code2Start"));
        auto* label =
            new QLabel(UiText(data, which == 0 ? text::CodeStartsAt1 : text::CodeStartsAt2), this);
        label->setBuddy(edit);
        codes->addRow(label, edit);
        connect(edit, &QLineEdit::textChanged, this, &CMultiWriteDlg::ShowPlannedCodes);
    }

    // The job log: off until a file has been chosen, then as the user left it.
    auto* logLine = new QHBoxLayout;
    m_keepLog->setChecked(KeepJobLog());
    m_keepLog->setEnabled(!JobLogPath().isEmpty());
    m_logPath->setText(QDir::toNativeSeparators(JobLogPath()));
    m_keepLog->setAccessibleDescription(m_logPath->text());
    logLine->addWidget(m_keepLog);
    logLine->addWidget(m_logPath, 1);
    logLine->addWidget(m_chooseLog);
    m_chooseLog->setAutoDefault(false);
    connect(m_keepLog, &QCheckBox::toggled, this, [this](bool on) {
        SetKeepJobLog(on);
        m_logRows->setVisible(on);
    });
    connect(m_chooseLog, &QPushButton::clicked, this, &CMultiWriteDlg::ChooseLog);
    m_logRows->setColumnCount(kLogColumns);
    m_logRows->setHeaderLabels({UiText(data, text::ColumnTime), UiText(data, text::ColumnPort),
                                UiText(data, text::Code1), UiText(data, text::Code2),
                                UiText(data, text::ColumnResult)});
    m_logRows->setRootIsDecorated(false);
    m_logRows->setFixedHeight(kLogRowsHeight);
    m_logRows->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_logRows->setVisible(m_keepLog->isChecked());

    m_verify->setChecked(VerifyAfterWrite());
    connect(m_verify, &QCheckBox::toggled, this, [](bool on) { SetVerifyAfterWrite(on); });

    auto* buttons = new QDialogButtonBox(this);
    m_start = buttons->addButton(UiText(data, text::StartBatch), QDialogButtonBox::ActionRole);
    m_stop = buttons->addButton(UiText(data, text::StopBatch), QDialogButtonBox::ActionRole);
    m_rest = buttons->addButton(UiText(data, text::WriteRest), QDialogButtonBox::ActionRole);
    m_close = buttons->addButton(UiText(data, text::CloseDialog), QDialogButtonBox::RejectRole);
    m_start->setDefault(true);
    m_start->setAutoDefault(true);
    for (QPushButton* button : {m_stop, m_rest, m_close}) {
        button->setAutoDefault(false);
    }
    m_stop->setEnabled(false);
    m_rest->setEnabled(false);
    connect(m_start, &QPushButton::clicked, this, &CMultiWriteDlg::StartBatch);
    connect(m_rest, &QPushButton::clicked, this, &CMultiWriteDlg::StartRest);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (Running()) {
            m_batch->Stop();
            m_stop->setEnabled(false);
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &CMultiWriteDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(codes);
    layout->addLayout(logLine);
    layout->addWidget(m_logRows);
    layout->addWidget(m_verify);
    m_note->setWordWrap(true);
    m_note->hide();
    layout->addWidget(m_note);
    layout->addWidget(buttons);
    m_start->setFocus();
}

CMultiWriteDlg::~CMultiWriteDlg() = default;

bool CMultiWriteDlg::Running() const
{
    return m_batch && m_batch->Running();
}

bool CMultiWriteDlg::StartBatch()
{
    std::vector<int> ports;
    for (int n = 1; n <= kPorts; ++n) {
        if (m_rows[std::size_t(n - 1)].opens && PortBox(n)->isChecked()) {
            ports.push_back(n);
        }
    }
    return Start(ports);
}

bool CMultiWriteDlg::StartRest()
{
    return Start(m_unwritten);
}

bool CMultiWriteDlg::Start(const std::vector<int>& ports)
{
    if (Running()) {
        return false;
    }
    if (ports.empty()) {
        Beep(this);
        return false;
    }
    BatchCodes::Plan plan;
    std::shared_ptr<JobLog> log;
    if (!CodesGiven(ports, plan) || !LogReady(log)) {
        return false;
    }
    for (int n = 1; n <= kPorts; ++n) {
        const bool taking = std::find(ports.begin(), ports.end(), n) != ports.end();
        PortProgress(n)->setValue(0);
        ShowResult(n, taking ? UiText(m_data, text::ResultWriting) : QString(), false);
    }
    m_note->clear();
    m_note->hide();
    m_logRows->clear();
    WriteBatch::Options options;
    options.verify = m_verify->isChecked();
    options.backupFolder = BackupFolder();
    WriteBatch::Job job;
    job.codes = plan;
    if (log) {
        job.log = log;
        job.dataFile = m_dataFile;
        const auto image = DataFileBytes(m_data);
        job.dataSha256 = Sha256Text(
            QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size())));
        QStringList devices;
        for (int port : ports) {
            devices << m_devices[std::size_t(port - 1)];
        }
        const std::vector<AdapterInfo> adapters = AdapterInfosOf(devices);
        for (std::size_t i = 0; i < ports.size(); ++i) {
            job.devices[ports[i]] = devices.at(qsizetype(i));
            job.adapterSerials[ports[i]] = adapters[i].serialNumber;
        }
        job.resultText = [this](const MultiWriteResult& result, bool stopped) {
            return LogResultText(result, stopped);
        };
    }
    m_plan = plan;
    m_batch.reset();  // the last batch has ended
    m_batch = std::make_unique<WriteBatch>(
        m_data, ports, options,
        [this](const std::vector<WriteBatch::Mismatch>& radios) { return AskMismatch(radios); },
        std::move(job));
    connect(m_batch.get(), &WriteBatch::progress, this, [this](int port, int value) {
        // The worker's last 0 only says it has ended: the bar keeps where it got to.
        if (value != 0) {
            PortProgress(port)->setValue(std::clamp(value, 0, 100));
        }
    });
    connect(m_batch.get(), &WriteBatch::verifying, this,
            [this](int port) { ShowResult(port, UiText(m_data, text::Verifying), false); });
    connect(m_batch.get(), &WriteBatch::backupSaved, this, [this](const BackupResult& result) {
        if (!result.ok) {
            m_note->setText(BackupNote(m_data, result));
            m_note->show();
        }
    });
    connect(m_batch.get(), &WriteBatch::portEnded, this, &CMultiWriteDlg::PortEnded);
    connect(m_batch.get(), &WriteBatch::finished, this, &CMultiWriteDlg::BatchEnded);
    SetRunning(true);
    m_batch->Start();
    return true;
}

bool CMultiWriteDlg::CodesGiven(const std::vector<int>& ports, BatchCodes::Plan& plan)
{
    for (int which = 0; which < 2; ++which) {
        m_codes.SetStart(which, m_codeStart[std::size_t(which)]->text());
    }
    int which = 0;
    const CodeStartError error = m_codes.PlanFor(ports, plan, which);
    if (error == CodeStartError::None) {
        return true;
    }
    const QString start = m_codes.Start(which);
    int why = text::CodeNotDtmf;
    if (error == CodeStartError::NoDigits) {
        why = text::CodeNoDigits;
    } else if (error == CodeStartError::TooLong) {
        why = text::CodeTooLong;
    }
    QLineEdit* edit = m_codeStart[std::size_t(which)];
    Warn(UiText(m_data, why).arg(start));
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CMultiWriteDlg::Warn(const QString& text)
{
    BoxRequest box;
    box.text = text;
    box.caption = UiText(m_data, text::WarningCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(this, box);
}

bool CMultiWriteDlg::LogReady(std::shared_ptr<JobLog>& log)
{
    log.reset();
    if (!m_keepLog->isChecked() || JobLogPath().isEmpty()) {
        return true;
    }
    auto ready = std::make_shared<JobLog>(JobLogPath());
    if (const FileResult checked = ready->Check(); !checked.ok()) {
        Warn(UiText(m_data, text::JobLogRefused)
                 .arg(QDir::toNativeSeparators(ready->Path()),
                      FailureReason(m_data.texts, checked)));
        m_chooseLog->setFocus();
        return false;
    }
    log = ready;
    return true;
}

void CMultiWriteDlg::ChooseLog()
{
    const QString path = AskFileNameKeepingDirectory(
        FileDialogKind::Append, this, UiText(m_data, text::JobLogFilter) + QStringLiteral(";;*"),
        JobLogPath());
    if (path.isEmpty()) {
        return;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    SetJobLogPath(absolute);
    m_logPath->setText(QDir::toNativeSeparators(absolute));
    m_keepLog->setAccessibleDescription(m_logPath->text());
    m_keepLog->setEnabled(true);
    m_keepLog->setChecked(true);
    SetKeepJobLog(true);
}

QString CMultiWriteDlg::CodesText(const BatchCodes::Codes& codes) const
{
    QStringList parts;
    if (!codes.code1.isNull()) {
        parts << UiText(m_data, text::Code1) + QLatin1Char(' ') + codes.code1;
    }
    if (!codes.code2.isNull()) {
        parts << UiText(m_data, text::Code2) + QLatin1Char(' ') + codes.code2;
    }
    const QString text = parts.join(QStringLiteral(", "));
    return codes.kept && !text.isEmpty() ? UiText(m_data, text::CodeKept).arg(text) : text;
}

QString CMultiWriteDlg::NextCodesText(const BatchCodes::Codes& codes) const
{
    const QString text = CodesText(codes);
    return text.isEmpty() ? text : UiText(m_data, text::NextCodes).arg(text);
}

void CMultiWriteDlg::ShowPlannedCodes()
{
    if (Running()) {
        return;  // the codes of the batch under way stay beside their ports
    }
    std::vector<int> ports;
    for (int n = 1; n <= kPorts; ++n) {
        if (m_rows[std::size_t(n - 1)].opens && PortBox(n)->isChecked()) {
            ports.push_back(n);
        }
    }
    BatchCodes next = m_codes;
    for (int which = 0; which < 2; ++which) {
        next.SetStart(which, m_codeStart[std::size_t(which)]->text());
    }
    BatchCodes::Plan plan;
    int which = 0;
    next.PlanFor(ports, plan, which);  // a start that cannot count shows no codes
    for (int n = 1; n <= kPorts; ++n) {
        const auto planned = plan.find(n);
        PortCodes(n)->setText(planned == plan.end() ? QString() : NextCodesText(planned->second));
    }
}

QString CMultiWriteDlg::LogResultText(const MultiWriteResult& result, bool stopped) const
{
    // On a transfer thread: only what stays as it is while the batch runs.
    QString reason;
    if (result.outcome == MultiWriteResult::Outcome::NotWritten) {
        if (!result.backupFirst.ok && !result.backupFirst.path.isEmpty()) {
            reason = BackupNote(m_data, result.backupFirst);
        } else {
            reason = stopped ? QStringLiteral("stopped") : QStringLiteral("another band or model");
        }
    } else if (result.outcome == MultiWriteResult::Outcome::Failed) {
        reason = TransferReason(m_data, result.error);
    }
    return JobResultText(result.outcome, reason);
}

void CMultiWriteDlg::ShowLogRow(int port)
{
    const JobLogRow& row = m_batch->LogRowOf(port);
    auto* item = new QTreeWidgetItem(m_logRows);
    const QStringList fields{row.time.toString(QStringLiteral("HH:mm:ss")), row.port, row.code1,
                             row.code2, row.result};
    for (int column = 0; column < kLogColumns; ++column) {
        item->setText(column, fields.at(column));
    }
    const FileResult& appended = m_batch->LogResultOf(port);
    if (!appended.ok()) {
        item->setText(
            kLogColumns - 1,
            UiText(m_data, text::JobLogRowNotKept).arg(FailureReason(m_data.texts, appended)));
        item->setForeground(kLogColumns - 1, kFailedColor);
    }
    m_logRows->scrollToItem(item);
}

void CMultiWriteDlg::BatchEnded()
{
    std::set<int> written;
    m_unwritten.clear();
    for (const auto& [port, codes] : m_plan) {
        const WriteBatch::Outcome outcome = m_batch->OutcomeOf(port);
        if (outcome == WriteBatch::Outcome::Written || outcome == WriteBatch::Outcome::Verified) {
            written.insert(port);
        } else {
            m_unwritten.push_back(port);
        }
    }
    m_codes.Finished(m_plan, written);
    for (int which = 0; which < 2; ++which) {
        QLineEdit* edit = m_codeStart[std::size_t(which)];
        if (!edit->text().isEmpty()) {
            edit->setText(m_codes.Start(which));  // the counter goes on
        }
    }
    SetRunning(false);
    ShowPlannedCodes();
    emit batchFinished();
}

void CMultiWriteDlg::SetRunning(bool running)
{
    for (const Row& row : m_rows) {
        row.check->setEnabled(row.opens && !running);
    }
    for (QLineEdit* edit : m_codeStart) {
        edit->setEnabled(!running);
    }
    m_keepLog->setEnabled(!running && !JobLogPath().isEmpty());
    m_chooseLog->setEnabled(!running);
    m_verify->setEnabled(!running);
    m_start->setEnabled(!running);
    m_stop->setEnabled(running);
    m_rest->setEnabled(!running && !m_unwritten.empty());
    m_close->setEnabled(!running);
    if (running) {
        m_stop->setFocus();
    } else {
        m_start->setFocus();
    }
}

void CMultiWriteDlg::PortEnded(int port)
{
    QString text;
    switch (m_batch->OutcomeOf(port)) {
    case WriteBatch::Outcome::Written: text = UiText(m_data, text::ResultWritten); break;
    case WriteBatch::Outcome::Verified: text = UiText(m_data, text::ResultVerified); break;
    case WriteBatch::Outcome::NotWritten:
        text = UiText(m_data, m_batch->Stopped() ? text::ResultStopped : text::ResultNotWritten);
        break;
    case WriteBatch::Outcome::Failed:
        text =
            UiText(m_data, text::ResultFailed).arg(TransferReason(m_data, m_batch->ErrorOf(port)));
        break;
    }
    const bool succeeded = m_batch->OutcomeOf(port) == WriteBatch::Outcome::Written ||
                           m_batch->OutcomeOf(port) == WriteBatch::Outcome::Verified;
    if (succeeded) {
        PortProgress(port)->setValue(100);
        if (m_batch->BandUnknown(port)) {
            text += QLatin1Char(' ') + UiText(m_data, text::RadioBandUnknown);
        }
    }
    // Which codes the radio got, or was to get.
    if (const auto planned = m_plan.find(port); planned != m_plan.end()) {
        BatchCodes::Codes codes = planned->second;
        codes.kept = false;
        if (const QString given = CodesText(codes); !given.isEmpty()) {
            text += QStringLiteral(" (%1)").arg(given);
        }
    }
    bool failed = m_batch->OutcomeOf(port) == WriteBatch::Outcome::Failed;
    if (m_keepLog->isChecked() && m_batch->LogRowOf(port).time.isValid()) {
        ShowLogRow(port);
        if (const FileResult& appended = m_batch->LogResultOf(port); !appended.ok()) {
            text +=
                QLatin1Char(' ') +
                UiText(m_data, text::JobLogRowNotKept).arg(FailureReason(m_data.texts, appended));
            failed = true;
        }
    }
    ShowResult(port, text, failed);
}

void CMultiWriteDlg::ShowResult(int port, const QString& text, bool failed)
{
    Row& row = m_rows[std::size_t(port - 1)];
    row.result->setText(text);
    row.result->setToolTip(text);
    // A result can be selected and copied; an empty one is no stop for the keyboard.
    row.result->setTextInteractionFlags(text.isEmpty() ? Qt::NoTextInteraction
                                                       : Qt::TextSelectableByMouse |
                                                             Qt::TextSelectableByKeyboard);
    // A failed radio must not look like a written one: its bar stops where the write
    // got to, in red, and so does its text.
    QPalette bar = palette();
    QPalette result = palette();
    if (failed) {
        bar.setColor(QPalette::Highlight, kFailedColor);
        result.setColor(QPalette::WindowText, kFailedColor);
    }
    row.bar->setPalette(bar);
    row.result->setPalette(result);
    // A label that wraps does not make a shown dialog taller by itself: ask for the
    // height the whole text needs, and let the dialog grow to it.
    row.result->setMinimumHeight(row.result->heightForWidth(kResultWidth));
    if (QLayout* top = layout()) {
        top->activate();
    }
}

bool CMultiWriteDlg::AskMismatch(const std::vector<WriteBatch::Mismatch>& radios)
{
    std::vector<WriteBatch::Mismatch> sorted = radios;
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.port < b.port; });
    QStringList ports;
    for (const WriteBatch::Mismatch& radio : sorted) {
        ports << QStringLiteral("%1 (%2)").arg(
            PortName(radio.port), BandAndModelText(m_data, radio.reported.bandLower,
                                                   radio.reported.bandUpper, radio.reported.model));
    }
    const QString text =
        UiText(m_data, text::BatchMismatch)
            .arg(ports.join(QStringLiteral("; ")),
                 BandAndModelText(m_data, m_data.bandLower, m_data.bandUpper, m_data.model));
    return ConfirmWarning(this, text, UiText(m_data, text::WarningCaption));
}

void CMultiWriteDlg::reject()
{
    // The radios are being written: the dialog stays until every one has ended.
    if (!Running()) {
        QDialog::reject();
    }
}

void CMultiWriteDlg::closeEvent(QCloseEvent* event)
{
    if (Running()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace radio
