#include "config/file_messages.h"

// Every number goes in with the name in one arg() call, so that a "%2" in a file
// name stays as it is.
namespace radio {

namespace {

QString Address(std::uint16_t address)
{
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

QString Text(const LanguageTable& texts, int n)
{
    return QString::fromStdString(texts.Text(n));
}

}  // namespace

QString OpenFailureText(const LanguageTable& texts, const QString& shownPath,
                        const FileResult& result)
{
    switch (result.status) {
    case FileStatus::TooShort:
        return Text(texts, text::FileTooShort)
            .arg(shownPath, QString::number(qulonglong(result.size)));
    case FileStatus::NotDataFile:
        if (result.block >= 0) {
            return Text(texts, text::NotDataFileBlock)
                .arg(shownPath, Address(DefaultAddress(Block(result.block))),
                     Address(result.address));
        }
        return Text(texts, text::NotDataFileBand)
            .arg(shownPath, QString::number(result.bandLower), QString::number(result.bandUpper));
    case FileStatus::Ok:
    case FileStatus::OpenFailed:
    case FileStatus::WriteFailed: break;
    }
    return Text(texts, text::FileOpenFailed).arg(shownPath, FailureReason(texts, result));
}

QString SaveFailureText(const LanguageTable& texts, const QString& shownPath,
                        const FileResult& result)
{
    return Text(texts, text::FileSaveFailed).arg(shownPath, FailureReason(texts, result));
}

QString FailureReason(const LanguageTable& texts, const FileResult& result)
{
    if (result.odd != OddFile::None) {
        return Text(texts, ReasonTextOf(result.odd));
    }
    return QString::fromStdString(result.detail);
}

}  // namespace radio
