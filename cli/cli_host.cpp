#include "cli/cli_host.h"

#include <unistd.h>
#include <algorithm>

#include "cli/transfer_messages.h"
#include "link/write_check.h"

namespace radio::cli {

namespace {
constexpr int kBarWidth = 30;
}

CliHost::CliHost(RadioData& record, int retries, bool force, std::FILE* out, const QString& label)
    : m_record(record),
      m_retriesLeft(retries),
      m_force(force),
      m_out(out),
      m_label(label),
      m_terminal(::isatty(::fileno(out)) != 0)
{
}

void CliHost::Say(const QString& message)
{
    EndProgressLine();
    const QString prefix = m_label.isEmpty() ? QString() : m_label + QStringLiteral(": ");
    // One call per line: the lines of several radios at once do not mix.
    std::fprintf(m_out, "radioprog-cli: %s%s\n", qPrintable(prefix), qPrintable(message));
    std::fflush(m_out);
}

void CliHost::EndProgressLine()
{
    if (m_barShown) {
        std::fputc('\n', m_out);
        m_barShown = false;
    }
    m_lastShown = -1;
}

void CliHost::TransferProgress(int value)
{
    if (!m_label.isEmpty()) {
        return;
    }
    if (value == 0) {
        EndProgressLine();
        m_started = false;
        return;
    }
    // The worker marks the start of each attempt with a first step before it opens the
    // port; a port that does not open is said without a bar before it, so the bar
    // begins with the step after that mark.
    if (!m_started) {
        m_started = true;
        return;
    }
    // The counter runs past 100 before its final 100; the display stops at 100.
    const int percent = std::clamp(value, 0, 100);
    if (percent == m_lastShown) {
        return;
    }
    m_lastShown = percent;
    if (m_terminal) {
        const int filled = percent * kBarWidth / 100;
        std::fprintf(m_out, "\r[%s%s] %3d%%", QByteArray(filled, '#').constData(),
                     QByteArray(kBarWidth - filled, '-').constData(), percent);
        m_barShown = true;
    } else {
        std::fprintf(m_out, "progress %d%%\n", percent);
    }
    std::fflush(m_out);
}

bool CliHost::AskRetry(const TransferError& error)
{
    EndProgressLine();
    m_failure = TransferErrorMessage(error);
    if (m_retriesLeft <= 0) {
        return false;
    }
    --m_retriesLeft;
    ++m_attempt;
    Say(m_failure);
    Say(QStringLiteral("trying again (attempt %1)").arg(m_attempt));
    return true;
}

bool CliHost::CheckBeforeWrite(const RadioReport& reported)
{
    const QString data = BandAndModelText(m_record.bandLower, m_record.bandUpper, m_record.model);
    switch (TakeRadioReport(m_record, reported)) {
    case WriteCheck::NotReported:
        Say(QStringLiteral("warning: the radio did not report its band and model; "
                           "writing the data as %1")
                .arg(data));
        return true;
    case WriteCheck::Match: return true;
    case WriteCheck::Mismatch: break;
    }
    const QString radio =
        BandAndModelText(m_record.radioBandLower, m_record.radioBandUpper, m_record.radioModel);
    if (m_force) {
        Say(QStringLiteral("warning: the radio reports %1, but the data is for %2; "
                           "writing anyway (--force)")
                .arg(radio, data));
        return true;
    }
    m_failure = QStringLiteral(
                    "the radio reports %1, but the data is for %2; nothing was "
                    "written (--force writes anyway)")
                    .arg(radio, data);
    return false;
}

void CliHost::IdentityNotDecoded(const std::array<std::uint8_t, 8>& identity,
                                 const RadioReport& taken)
{
    Say(IdentityWarning(identity, taken));
}

void CliHost::ReadSucceeded(const RadioData& received)
{
    CommitRead(m_record, received);
    m_succeeded = true;
}

void CliHost::WriteSucceeded()
{
    m_succeeded = true;
}

void CliHost::VerifyStarted()
{
    // Several radios at once end with one line each; a single one says what comes.
    if (m_label.isEmpty()) {
        Say(QStringLiteral("written; verifying"));
    }
}

void CliHost::BackupSaved(const BackupResult& result)
{
    m_backup = result;
    if (!result.ok && !m_backupRequired) {
        Say(QStringLiteral("warning: no backup was saved (%1: %2)").arg(result.path, result.error));
    }
}

}  // namespace radio::cli
