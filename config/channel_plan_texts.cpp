#include "config/channel_plan_texts.h"

#include <QStringList>

namespace radio {

namespace {

int TextOf(RowProblem problem)
{
    switch (problem) {
    case RowProblem::Unreadable: return text::CsvUnreadable;
    case RowProblem::OutOfBand: return text::CsvOutOfBand;
    case RowProblem::OffRaster: return text::CsvOffRaster;
    case RowProblem::ToneNotOffered: return text::CsvToneNotOffered;
    case RowProblem::ModeNotFm: return text::CsvModeNotFm;
    case RowProblem::BeyondChannels: return text::CsvBeyondChannels;
    case RowProblem::LocationTwice: return text::CsvLocationTwice;
    }
    return text::CsvUnreadable;
}

}  // namespace

QString RefusalText(const LanguageTable& texts, const RowFault& fault)
{
    const QString text = QString::fromStdString(texts.Text(TextOf(fault.problem)));
    QStringList v;
    for (const std::string& value : fault.values) {
        v << QString::fromStdString(value);
    }
    // All values in one step, so that a value holding "%2" stays as it is.
    switch (v.size()) {
    case 0: return text;
    case 1: return text.arg(v[0]);
    case 2: return text.arg(v[0], v[1]);
    default: return text.arg(v[0], v[1], v[2]);
    }
}

QString PlanErrorText(const LanguageTable& texts, const ChannelPlan& plan, const QString& file)
{
    auto text = [&](int n) { return QString::fromStdString(texts.Text(n)); };
    switch (plan.error) {
    case PlanError::None: return QString();
    case PlanError::NotText: return text(text::CsvNotText).arg(file);
    case PlanError::UnclosedQuote:
        return text(text::CsvUnclosedQuote).arg(file, QString::number(plan.errorRow));
    case PlanError::NoColumns: return text(text::CsvNoColumns).arg(file);
    }
    return QString();
}

}  // namespace radio
