#include "shell/transfer_commands.h"

#include <QAction>
#include <QDir>
#include <utility>

#include "config/backup_store.h"
#include "config/text_of.h"
#include "config/user_preferences.h"
#include "link/block_plan.h"
#include "link/port_names.h"
#include "link/protocol.h"
#include "link/write_check.h"
#include "shell/changes_dlg.h"
#include "shell/file_commands.h"
#include "shell/multi_write_dlg.h"
#include "shell/prog_status_bar.h"
#include "shell/transfer_texts.h"
#include "shell/view_manager.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

namespace radio {

TransferCommands::TransferCommands(RadioDocument& document, ViewManager& views,
                                   TransferFrame& frame, CTransferWorker* worker,
                                   FileCommands& files, QAction* verifyCheck,
                                   QAction* previewCheck, QObject* parent)
    : QObject(parent),
      m_document(document),
      m_views(views),
      m_frame(frame),
      m_worker(worker),
      m_files(files),
      m_verifyCheck(verifyCheck),
      m_host(FrameTransferHost::Handlers{
          [this](int value) {
              m_frame.SetProgress(value);
              // The read before a write is a pass of its own.
              if (value != 0 && m_readFor == ReadFor::Previewing &&
                  m_frame.ProgressBar()->PassText().isEmpty()) {
                  m_frame.ProgressBar()->SetPassText(UiText(Data(), text::PreviewReading));
              }
          },
          [this](const TransferError& e) { return AskRetry(e); },
          [this](const RadioReport& r) { return CheckBeforeWrite(r); },
          [this](const RadioData& received) { ReadSucceeded(received); },
          [this] { WriteSucceeded(); },
          [this] { m_frame.ProgressBar()->SetPassText(UiText(Data(), text::Verifying)); },
          [this](const BackupResult& result) {
              m_backupNote = BackupNote(Data(), result);
              ShowNote(m_backupNote);
          },
          [this](const Identity& identity, const RadioReport& taken) {
              m_identityNote = IdentityNote(Data(), identity, taken);
              ShowNote(m_backupNote);
          },
      })
{
    m_verifyCheck->setChecked(VerifyAfterWrite());
    previewCheck->setChecked(ShowChangesBeforeWriting());
}

TransferCommands::~TransferCommands()
{
    // A question still waiting for the window is answered "give up", so the thread
    // ends at its next step.
    m_host.Shutdown();
    if (m_thread) {
        m_thread->wait();
    }
}

void TransferCommands::Read()
{
    Start(TransferMode::Read);
}

void TransferCommands::Write()
{
    if (ShowChangesBeforeWriting()) {
        Start(TransferMode::Read, ReadFor::Previewing);
    } else {
        Start(TransferMode::Write);
    }
}

void TransferCommands::CompareWithRadio()
{
    Start(TransferMode::Read, ReadFor::Comparing);
}

void TransferCommands::SetShowChangesBeforeWriting(bool on)
{
    radio::SetShowChangesBeforeWriting(on);
}

void TransferCommands::SetVerifyAfterWrite(bool verify)
{
    radio::SetVerifyAfterWrite(verify);
}

void TransferCommands::SayRunning()
{
    const RadioData& data = Data();
    BoxRequest box;
    box.text = UiText(data, text::TransferRunning);
    box.caption = UiText(data, text::WarningCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(m_views.Window(), box);
}

void TransferCommands::WriteSeveral()
{
    if (m_running || m_worker->IsBusy()) {
        return;
    }
    m_views.CollectEdits();
    std::array<QString, CMultiWriteDlg::kPorts> devices;
    for (int n = 1; n <= CMultiWriteDlg::kPorts; ++n) {
        devices[std::size_t(n - 1)] = ResolvePortDevice(n);
    }
    // What the job log names as the data written: its file, unless it was changed.
    QString dataFile = QDir::toNativeSeparators(m_document.FileName());
    if (dataFile.isEmpty() || m_document.IsModified()) {
        dataFile = (dataFile + QLatin1Char(' ') + UiText(Data(), text::UnsavedData)).trimmed();
    }
    CMultiWriteDlg dialog(Data(), m_worker->ProbePorts(), devices, dataFile, m_views.Window());
    RunModal(dialog);
    // The dialog shows the same remembered choice and may have changed it.
    m_verifyCheck->setChecked(VerifyAfterWrite());
}

bool TransferCommands::Start(TransferMode mode, ReadFor purpose)
{
    if (m_running || m_worker->IsBusy()) {
        SayRunning();
        return false;
    }
    if (m_thread) {
        m_thread->wait();  // the previous transfer's thread has ended already
        m_thread.reset();
    }
    // A read replaces the data: changes that were not saved are asked about first, as
    // New and Open do. A write only needs the views' edits in the record.
    // A read for comparing changes nothing and compares the edits too.
    const bool taking = mode == TransferMode::Read && purpose == ReadFor::Taking;
    const bool mayGoOn = taking ? m_files.MayLeaveData([] { return true; }) : m_views.CollectEdits();
    if (!mayGoOn) {
        return false;
    }
    if (mode == TransferMode::Write) {
        m_frame.UpdateChannelMasks();
    }
    // The worker takes its copy now: a write sends the record as it is at this
    // moment, whatever happens to the document while the transfer runs.
    m_worker->Init(&m_host, Data());
    m_verifying = mode == TransferMode::Write && VerifyAfterWrite();
    m_worker->SetVerify(m_verifying);
    m_worker->SetBackupFolder(BackupFolder());
    m_worker->SetReadBackupKind(purpose == ReadFor::Previewing ? BackupKind::BeforeWrite
                                                               : BackupKind::Read);
    m_readFor = mode == TransferMode::Read ? purpose : ReadFor::Taking;
    m_held.reset();
    m_identityNote.clear();
    m_backupNote.clear();
    m_frame.ProgressBar()->SetNote(QString());
    if (!m_worker->SetMode(mode)) {
        return false;
    }
    m_running = true;
    emit runningChanged(true);
    m_thread = std::make_unique<CTestThread>(m_worker);
    connect(m_thread.get(), &QThread::finished, this, &TransferCommands::OnThreadFinished);
    m_thread->start();
    return true;
}

const RadioData& TransferCommands::Data() const
{
    return std::as_const(m_document).Record();
}

void TransferCommands::OnThreadFinished()
{
    m_running = false;
    emit runningChanged(false);
    if (m_held) {
        ShowComparison();
    }
}

void TransferCommands::ShowComparison()
{
    const std::unique_ptr<RadioData> held = std::move(m_held);
    const bool previewing = m_readFor == ReadFor::Previewing;
    m_readFor = ReadFor::Taking;
    // What a write would send: the channel masks rebuilt and the identity bytes as the
    // check before the write gives them for this radio.
    RadioData sent = Data();
    sent.UpdateChannelMasks();
    TakeRadioReport(sent, RadioReport{held->radioBandLower, held->radioBandUpper, held->radioModel});
    TakeUnreadBlocks(*held, sent);
    const std::vector<Difference> differences = CompareRecords(*held, sent);
    if (!previewing) {
        ShowCompared(differences);
    } else if (MayWrite(differences)) {
        Start(TransferMode::Write);
    } else {
        ShowNote(UiText(Data(), text::WriteCancelled) +
                 (m_backupNote.isEmpty() ? QString() : QLatin1Char(' ') + m_backupNote));
    }
}

void TransferCommands::ShowCompared(const std::vector<Difference>& differences)
{
    const RadioData& data = Data();
    const QString radioSide = UiText(data, text::TheRadio);
    const QString dataSide = UiText(data, text::TheEditedData);
    if (differences.empty()) {
        BoxRequest box;
        box.text = UiText(data, text::CompareSame).arg(radioSide, dataSide);
        box.caption = UiText(data, text::CompareTitle);
        box.icon = QMessageBox::Information;
        ShowBox(m_views.Window(), box);
        return;
    }
    ChangesDlg dialog(data, differences, UiText(data, text::CompareTitle),
                      UiText(data, text::CompareHeading)
                          .arg(radioSide, dataSide, QString::number(differences.size())),
                      ChangesDlg::Purpose::Compare, m_views.Window());
    RunModal(dialog);
}

bool TransferCommands::MayWrite(const std::vector<Difference>& differences)
{
    const RadioData& data = Data();
    // Without the copy of what the radio holds, the write could not be undone: said
    // before Write is chosen.
    const QString unkept = m_backupNote.isEmpty() ? QString() : QLatin1Char('\n') + m_backupNote;
    if (differences.empty()) {
        BoxRequest box;
        box.text = UiText(data, text::PreviewSame) + unkept;
        box.caption = UiText(data, text::PreviewTitle);
        box.icon = QMessageBox::Question;
        box.buttons = QMessageBox::Yes | QMessageBox::No;
        box.defaultButton = QMessageBox::No;
        return ShowBox(m_views.Window(), box) == QMessageBox::Yes;
    }
    ChangesDlg dialog(data, differences, UiText(data, text::PreviewTitle),
                      UiText(data, text::PreviewHeading).arg(differences.size()) + unkept,
                      ChangesDlg::Purpose::BeforeWrite, m_views.Window());
    return RunModal(dialog) == QDialog::Accepted;
}

bool TransferCommands::AskRetry(const TransferError& error)
{
    const RadioData& data = Data();
    BoxRequest box;
    box.text = TransferFailureText(data, error);
    if (PortCheckHelps(error)) {
        // The same check as radioprog-cli ports --check, run now that the port is closed.
        box.text += QLatin1Char('\n') + PortCheckText(data, DiagnosePort(error.device));
    }
    box.caption = UiText(data, text::CommunicationFailedCaption);
    box.icon = QMessageBox::Critical;
    box.buttons = QMessageBox::Retry | QMessageBox::Cancel;
    box.defaultButton = QMessageBox::Retry;
    return ShowBox(m_views.Window(), box) == QMessageBox::Retry;
}

bool TransferCommands::CheckBeforeWrite(const RadioReport& reported)
{
    return m_frame.CheckBeforeWrite(reported);
}

void TransferCommands::ReadSucceeded(const RadioData& received)
{
    if (m_readFor != ReadFor::Taking) {
        // Only compared, once the thread has ended: the data stay as they are.
        m_held = std::make_unique<RadioData>(Data());
        CommitRead(*m_held, received);
        return;
    }
    // One step of the history, after which the data is the radio's: not modified.
    RadioDocument& document = m_document;
    document.CommitRead(received, [&document] {
        return PlainCaption(UiText(std::as_const(document).Record(), text::MenuReadFromRadio));
    });
    // The data came from the radio, not from the file opened before: the first Save
    // asks for a name rather than replacing that file.
    document.SetFileName(QString());
    m_views.RefreshViews();
    const RadioData& data = Data();
    BoxRequest box;
    box.text = TransferFinishedText(data, TransferMode::Read);
    box.caption = UiText(data, text::Done);
    box.icon = QMessageBox::Information;
    if (!m_identityNote.isEmpty()) {
        box.text += QLatin1Char('\n') + m_identityNote;
        box.icon = QMessageBox::Warning;
    }
    ShowBox(m_views.Window(), box);
}

// The status bar keeps the note on the radio's identity next to a backup's.
void TransferCommands::ShowNote(const QString& backupNote)
{
    QStringList notes;
    for (const QString& note : {m_identityNote, backupNote}) {
        if (!note.isEmpty()) {
            notes << note;
        }
    }
    m_frame.ProgressBar()->SetNote(notes.join(QLatin1Char(' ')));
}

void TransferCommands::WriteSucceeded()
{
    m_document.MarkUnmodified();  // the radio holds the data now
    const RadioData& data = Data();
    BoxRequest box;
    box.text = TransferFinishedText(data, TransferMode::Write);
    if (m_verifying) {
        box.text += QLatin1Char('\n') + UiText(data, text::ResultVerified);
    }
    box.caption = UiText(data, text::Done);
    box.icon = QMessageBox::Information;
    ShowBox(m_views.Window(), box);
}

}  // namespace radio
