#include "cli/transfer_messages.h"

#include "data/language_table.h"
#include "link/block_plan.h"
#include "link/port_names.h"

namespace radio::cli {

namespace {

QString Fallback(int n)
{
    return QString::fromStdString(LanguageTable::Fallback(n));
}

// A port text with %1 the port and %2 its device; a device path given in place of a
// port is named once, not as "/dev/ttyUSB0 (/dev/ttyUSB0)".
QString PortText(const TransferError& error, int n, const QString& reason = QString())
{
    const QString device = error.device.isEmpty() ? error.port : error.device;
    QString text = Fallback(n);
    text = reason.isNull() ? text.arg(error.port, device) : text.arg(error.port, device, reason);
    if (device == error.port) {
        text.replace(QStringLiteral("%1 (%1)").arg(error.port), error.port);
    }
    return text;
}

QString Reason(const TransferError& error)
{
    using Kind = TransferError::Kind;
    switch (error.kind) {
    case Kind::None: return QString();
    // The desktop's texts for these send the user to its Settings menu; here a port is
    // given on the command line.
    case Kind::PortInvalid:
        return QStringLiteral(
                   "The port number %1 is not one of COM1 to COM10: give COM1..COM10 or the "
                   "path of a device.")
            .arg(error.portNumber);
    case Kind::PortNotFound:
        if (PortNumberOf(error.port) == 0) {
            return QStringLiteral(
                       "%1 does not exist. Connect the programming cable or give "
                       "another port (radioprog-cli ports lists them).")
                .arg(error.port);
        }
        if (!error.device.isEmpty()) {
            return QStringLiteral(
                       "%1 stands for %2, which does not exist. Connect the programming cable "
                       "or give another port (radioprog-cli ports lists them).")
                .arg(error.port, error.device);
        }
        return QStringLiteral(
                   "No serial device stands for %1. Connect the programming cable, or give "
                   "another port (radioprog-cli ports lists them) or set RADIOPROG_COM%2 to "
                   "the device.")
            .arg(error.port)
            .arg(PortNumberOf(error.port));
    // The check names the device's group or the program that holds it.
    case Kind::PortPermission:
        return PortText(error, text::PortPermission) +
               QStringLiteral(" radioprog-cli ports --check names the group.");
    case Kind::PortBusy:
        return PortText(error, text::PortBusy) +
               QStringLiteral(" radioprog-cli ports --check names it.");
    case Kind::PortFailed: return PortText(error, text::PortFailed, error.detail);
    case Kind::NoAnswer: return Fallback(text::RadioNoAnswer);
    case Kind::Refused: return Fallback(text::RadioRefused);
    case Kind::Echo: return Fallback(text::EchoingCable);
    case Kind::LinkFault: return Fallback(text::RadioLinkFault).arg(error.detail);
    case Kind::VerifyMismatch:
        return QStringLiteral("Verify failed at %1: written %2, radio holds %3")
            .arg(AddressText(error.address), ByteText(error.written), ByteText(error.held));
    }
    return QString();
}

}  // namespace

QString TransferErrorMessage(const TransferError& error)
{
    const QString reason = Reason(error);
    if (error.verifying && error.kind != TransferError::Kind::VerifyMismatch) {
        return QStringLiteral(
                   "the radio acknowledged every chunk written, but reading it back to verify "
                   "failed: ") +
               reason;
    }
    return reason;
}

QString IdentityHex(const std::array<std::uint8_t, 8>& identity)
{
    return QByteArray(reinterpret_cast<const char*>(identity.data()), int(identity.size()))
        .toHex()
        .toUpper();
}

QString IdentityWarning(const std::array<std::uint8_t, 8>& identity, const RadioReport& taken)
{
    return QStringLiteral("warning: ") +
           Fallback(text::IdentityNotDecoded)
               .arg(IdentityHex(identity),
                    BandAndModelText(taken.bandLower, taken.bandUpper, taken.model));
}

QString BandAndModelText(int bandLower, int bandUpper, int model)
{
    return QStringLiteral("%1-%2 MHz, %3 channels")
        .arg(bandLower)
        .arg(bandUpper)
        .arg(RadioData::ChannelCountFor(model));
}

}  // namespace radio::cli
