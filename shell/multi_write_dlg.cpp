#include "shell/multi_write_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "config/backup_store.h"
#include "config/text_of.h"
#include "config/user_preferences.h"
#include "link/port_names.h"
#include "shell/transfer_texts.h"
#include "widgets/message_box.h"

namespace radio {

namespace {
// Wide enough for a short result on one line and a failure's reason on a few.
constexpr int kResultWidth = 360;
const QColor kFailedColor(0xC0, 0x10, 0x10);
}  // namespace

CMultiWriteDlg::CMultiWriteDlg(const RadioData& data, quint16 mask,
                               const std::array<QString, kPorts>& devices, QWidget* parent)
    : QDialog(parent),
      m_data(data),
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
        row.result = new QLabel(this);
        // A failure's reason may run long: it wraps within a fixed width (so that
        // the dialog stays on the screen), can be selected and copied, and shows
        // whole in the tooltip.
        row.result->setFixedWidth(kResultWidth);
        row.result->setWordWrap(true);
        row.result->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
        row.result->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::MinimumExpanding);
        grid->addWidget(row.check, n - 1, 0);
        grid->addWidget(row.bar, n - 1, 1);
        grid->addWidget(row.result, n - 1, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);

    m_verify->setChecked(VerifyAfterWrite());
    connect(m_verify, &QCheckBox::toggled, this, [](bool on) { SetVerifyAfterWrite(on); });

    auto* buttons = new QDialogButtonBox(this);
    m_start = buttons->addButton(UiText(data, text::StartBatch), QDialogButtonBox::ActionRole);
    m_close = buttons->addButton(UiText(data, text::CloseDialog), QDialogButtonBox::RejectRole);
    m_start->setDefault(true);
    m_start->setAutoDefault(true);
    m_close->setAutoDefault(false);
    connect(m_start, &QPushButton::clicked, this, &CMultiWriteDlg::StartBatch);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMultiWriteDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
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
    if (Running()) {
        return false;
    }
    std::vector<int> ports;
    for (int n = 1; n <= kPorts; ++n) {
        if (m_rows[std::size_t(n - 1)].opens && PortBox(n)->isChecked()) {
            ports.push_back(n);
        }
    }
    if (ports.empty()) {
        Beep(this);
        return false;
    }
    for (int n = 1; n <= kPorts; ++n) {
        const bool taking = std::find(ports.begin(), ports.end(), n) != ports.end();
        PortProgress(n)->setValue(0);
        ShowResult(n, taking ? UiText(m_data, text::ResultWriting) : QString(), false);
    }
    m_note->clear();
    m_note->hide();
    WriteBatch::Options options;
    options.verify = m_verify->isChecked();
    options.backupFolder = BackupFolder();
    m_batch.reset();  // the last batch has ended
    m_batch = std::make_unique<WriteBatch>(
        m_data, ports, options,
        [this](const std::vector<WriteBatch::Mismatch>& radios) { return AskMismatch(radios); });
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
    connect(m_batch.get(), &WriteBatch::finished, this, [this] {
        SetRunning(false);
        emit batchFinished();
    });
    SetRunning(true);
    m_batch->Start();
    return true;
}

void CMultiWriteDlg::SetRunning(bool running)
{
    for (const Row& row : m_rows) {
        row.check->setEnabled(row.opens && !running);
    }
    m_verify->setEnabled(!running);
    m_start->setEnabled(!running);
    m_close->setEnabled(!running);
    if (!running) {
        m_start->setFocus();
    }
}

void CMultiWriteDlg::PortEnded(int port)
{
    QString text;
    switch (m_batch->OutcomeOf(port)) {
    case WriteBatch::Outcome::Written: text = UiText(m_data, text::ResultWritten); break;
    case WriteBatch::Outcome::Verified: text = UiText(m_data, text::ResultVerified); break;
    case WriteBatch::Outcome::NotWritten: text = UiText(m_data, text::ResultNotWritten); break;
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
    ShowResult(port, text, m_batch->OutcomeOf(port) == WriteBatch::Outcome::Failed);
}

void CMultiWriteDlg::ShowResult(int port, const QString& text, bool failed)
{
    Row& row = m_rows[std::size_t(port - 1)];
    row.result->setText(text);
    row.result->setToolTip(text);
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
