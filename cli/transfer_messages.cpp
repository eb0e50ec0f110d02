#include "cli/transfer_messages.h"

#include "app/language_table.h"

namespace radio::cli {

namespace {

QString Fallback(int n)
{
    return QString::fromStdString(LanguageTable::Fallback(n));
}

// "COM1 (/dev/ttyUSB0)", or just the path when a device path was given.
QString PortText(const TransferError& error, int n)
{
    QString text = Fallback(n);
    if (error.device.isEmpty() || error.device == error.port) {
        text.replace(QLatin1String("%1 (%2)"), QLatin1String("%1"));
    }
    return text;
}

}  // namespace

QString TransferErrorMessage(const TransferError& error)
{
    using Kind = TransferError::Kind;
    switch (error.kind) {
    case Kind::None: return QString();
    case Kind::PortInvalid: return Fallback(text::PortInvalid).arg(error.portNumber);
    case Kind::PortNotFound:
        if (error.port.startsWith(QLatin1Char('/'))) {
            return QStringLiteral(
                       "%1 does not exist. Connect the programming cable or give "
                       "another port.")
                .arg(error.port);
        }
        return Fallback(text::PortNotFound).arg(error.port);
    case Kind::PortPermission:
        return PortText(error, text::PortPermission).arg(error.port, error.device);
    case Kind::PortBusy: return PortText(error, text::PortBusy).arg(error.port, error.device);
    case Kind::PortFailed: {
        const QString text = PortText(error, text::PortFailed);
        return error.device.isEmpty() || error.device == error.port
                   ? text.arg(error.port, error.detail)
                   : text.arg(error.port, error.device, error.detail);
    }
    case Kind::NoAnswer: return Fallback(text::RadioNoAnswer);
    case Kind::Refused: return Fallback(text::RadioRefused);
    case Kind::LinkFault: return Fallback(text::RadioLinkFault).arg(error.detail);
    }
    return QString();
}

QString BandAndModelText(int bandLower, int bandUpper, int model)
{
    return Fallback(text::BandAndModel)
        .arg(bandLower)
        .arg(bandUpper)
        .arg(RadioData::ChannelCountFor(model));
}

}  // namespace radio::cli
