#include "shell/transfer_texts.h"

#include <QDir>
#include <QRegularExpression>

#include "config/text_of.h"
#include "link/block_plan.h"
#include "link/port_diagnosis_text.h"

namespace radio {

QString TransferStepText(const RadioData& data, const QString& step)
{
    // The link names its steps in English for the command line ("block 0x0120",
    // "block 0x0120, quarter 2"); the window says them in the interface's language.
    static const QRegularExpression chunk(
        QStringLiteral(R"(^block (0x[0-9A-F]{4}), quarter (\d)$)"));
    static const QRegularExpression block(QStringLiteral(R"(^block (0x[0-9A-F]{4})$)"));
    if (step == QLatin1String("entry code")) {
        return UiText(data, text::StepEntryCode);
    }
    if (step == QLatin1String("identity")) {
        return UiText(data, text::StepIdentity);
    }
    if (step == QLatin1String("end byte")) {
        return UiText(data, text::StepEndByte);
    }
    if (const auto m = chunk.match(step); m.hasMatch()) {
        return UiText(data, text::StepChunk).arg(m.captured(1), m.captured(2));
    }
    if (const auto m = block.match(step); m.hasMatch()) {
        return UiText(data, text::StepBlock).arg(m.captured(1));
    }
    return step;
}

QString TransferErrorDetail(const RadioData& data, const TransferError& error)
{
    using Kind = TransferError::Kind;
    const QString port =
        error.port.isEmpty() ? QStringLiteral("COM%1").arg(error.portNumber) : error.port;
    switch (error.kind) {
    case Kind::None: return QString();
    case Kind::PortInvalid: return UiText(data, text::PortInvalid).arg(error.portNumber);
    case Kind::PortNotFound: return UiText(data, text::PortNotFound).arg(port);
    case Kind::PortPermission: return UiText(data, text::PortPermission).arg(port, error.device);
    case Kind::PortBusy: return UiText(data, text::PortBusy).arg(port, error.device);
    case Kind::PortFailed:
        return UiText(data, text::PortFailed).arg(port, error.device, error.detail);
    case Kind::NoAnswer: return UiText(data, text::RadioNoAnswer);
    case Kind::Refused: return UiText(data, text::RadioRefused);
    case Kind::Echo: return UiText(data, text::EchoingCable);
    case Kind::LinkFault:
        return UiText(data, text::RadioLinkFault).arg(TransferStepText(data, error.detail));
    case Kind::VerifyMismatch:
        return UiText(data, text::VerifyMismatch)
            .arg(AddressText(error.address), ByteText(error.written), ByteText(error.held));
    }
    return QString();
}

QString TransferReason(const RadioData& data, const TransferError& error)
{
    const QString detail = TransferErrorDetail(data, error);
    if (error.verifying && error.kind != TransferError::Kind::VerifyMismatch) {
        return UiText(data, text::VerifyReadBack) + QLatin1Char('\n') + detail;
    }
    return detail;
}

QString TransferFailureText(const RadioData& data, const TransferError& error)
{
    const QString detail = TransferReason(data, error);
    const QString failed = UiText(data, text::CommunicationFailed);
    return detail.isEmpty() ? failed : failed + QLatin1Char('\n') + detail;
}

bool PortCheckHelps(const TransferError& error)
{
    using Kind = TransferError::Kind;
    return !error.device.isEmpty() &&
           (error.kind == Kind::PortPermission || error.kind == Kind::PortBusy ||
            error.kind == Kind::PortFailed);
}

QString PortCheckText(const RadioData& data, const PortDiagnosis& diagnosis)
{
    const QString found = DiagnosisText(diagnosis, [&data](int n) { return UiText(data, n); });
    return UiText(data, text::PortCheck).arg(diagnosis.device, found);
}

QString BackupNote(const RadioData& data, const BackupResult& result)
{
    if (result.ok) {
        return QString();
    }
    return UiText(data, text::BackupFailed)
        .arg(QDir::toNativeSeparators(result.path), result.error);
}

QString TransferFinishedText(const RadioData& data, TransferMode mode)
{
    return UiText(data,
                  mode == TransferMode::Write ? text::WritingToRadio : text::ReadingFromRadio) +
           UiText(data, text::Done);
}

QString BandAndModelText(const RadioData& data, int lower, int upper, int model)
{
    return UiText(data, text::BandAndModel)
        .arg(lower)
        .arg(upper)
        .arg(RadioData::ChannelCountFor(model));
}

}  // namespace radio

namespace radio {

QString IdentityNote(const RadioData& data, const std::array<std::uint8_t, 8>& identity,
                     const RadioReport& taken)
{
    const QString hex =
        QByteArray(reinterpret_cast<const char*>(identity.data()), int(identity.size()))
            .toHex()
            .toUpper();
    return UiText(data, text::IdentityNotDecoded)
        .arg(hex, BandAndModelText(data, taken.bandLower, taken.bandUpper, taken.model));
}

}  // namespace radio
