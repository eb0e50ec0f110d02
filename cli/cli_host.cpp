#include "cli/cli_host.h"

#include <unistd.h>
#include <algorithm>

#include "cli/transfer_messages.h"
#include "link/write_check.h"

namespace radio::cli {

namespace {
constexpr int kBarWidth = 30;
}

CliHost::CliHost(RadioData& record, int retries, bool force, std::FILE* out)
    : m_record(record),
      m_retriesLeft(retries),
      m_force(force),
      m_out(out),
      m_terminal(::isatty(::fileno(out)) != 0)
{
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
    if (value == 0) {
        EndProgressLine();
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
    std::fprintf(m_out, "radioprog-cli: %s\nradioprog-cli: trying again (attempt %d)\n",
                 qPrintable(m_failure), m_attempt);
    std::fflush(m_out);
    return true;
}

bool CliHost::CheckBeforeWrite(const RadioReport& reported)
{
    m_record.radioBandLower = reported.bandLower;
    m_record.radioBandUpper = reported.bandUpper;
    m_record.radioModel = reported.model;
    const QString data = BandAndModelText(m_record.bandLower, m_record.bandUpper, m_record.model);
    switch (ClassifyBeforeWrite(m_record)) {
    case WriteCheck::NotReported:
        EndProgressLine();
        std::fprintf(m_out,
                     "radioprog-cli: warning: the radio did not report its band and model; "
                     "writing the data as %s\n",
                     qPrintable(data));
        AdoptDataAsRadio(m_record);
        ApplyRadioIdentity(m_record);
        return true;
    case WriteCheck::Match: ApplyRadioIdentity(m_record); return true;
    case WriteCheck::Mismatch: break;
    }
    const QString radio =
        BandAndModelText(m_record.radioBandLower, m_record.radioBandUpper, m_record.radioModel);
    if (m_force) {
        EndProgressLine();
        std::fprintf(m_out,
                     "radioprog-cli: warning: the radio reports %s, but the data is for %s; "
                     "writing anyway (--force)\n",
                     qPrintable(radio), qPrintable(data));
        return true;
    }
    m_failure = QStringLiteral(
                    "the radio reports %1, but the data is for %2; nothing was "
                    "written (--force writes anyway)")
                    .arg(radio, data);
    return false;
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

}  // namespace radio::cli
