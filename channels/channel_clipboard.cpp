#include "channels/channel_clipboard.h"

#include <QStringList>
#include <algorithm>

#include "config/text_of.h"
#include "data/channel_codec.h"

namespace radio {

namespace {

// The two texts of each option column, the one for a cleared bit first.
struct OptionTexts {
    int column;
    int texts[2];
};
constexpr OptionTexts kOptionTexts[] = {
    {column::Wide, {chtext::Narrow, chtext::Wide}},
    {column::Power, {chtext::Low, chtext::High}},
    {column::ScanAdd, {chtext::Off, chtext::On}},
    {column::BusyLock, {chtext::BusyOff, chtext::BusyOn}},
};

// Whether `text` is text #n in the program's own table, its built-in English or any
// of the languages.
bool IsTextOf(const QString& text, int n, const RadioData& data,
              const std::vector<LanguageTable>& languages)
{
    const std::string t = text.toStdString();
    if (t == data.texts.Text(n) || t == LanguageTable::Fallback(n)) {
        return true;
    }
    return std::any_of(languages.begin(), languages.end(),
                       [&](const LanguageTable& table) { return table.Text(n) == t; });
}

bool IsListedTone(const QString& text)
{
    const std::vector<std::string>& tones = ToneTexts();
    return std::find(tones.begin(), tones.end(), text.toStdString()) != tones.end();
}

class Planner {
public:
    Planner(PastePlan& plan, const std::vector<LanguageTable>& languages)
        : m_plan(plan), m_languages(languages), m_sheet(&plan.result)
    {
        m_sheet.Load();
    }

    int Room(int firstRow) const { return m_sheet.ChannelCount() - firstRow + 1; }

    // One line into channel `row`; false when it does not fit.
    bool PasteLine(int line, int row, const QStringList& fields)
    {
        // Nine fields or more: the first is the row label.
        const int offset = fields.size() >= column::Count ? 1 : 0;
        const auto present = [&](int c) { return offset + c - 1 < fields.size(); };
        const auto field = [&](int c) { return fields[offset + c - 1].trimmed(); };
        const auto refuse = [&](PasteProblem::Kind kind, int c) {
            m_plan.problem = {kind, line, offset + c, fields[offset + c - 1], m_reason, 0, 0};
            return false;
        };

        const QString rx = field(column::RxFrequency);
        // The line defines the channel: what the channel held goes first.
        if (!m_sheet.Cell(row, column::RxFrequency).isEmpty()) {
            m_sheet.Commit(row, column::RxFrequency, QString());
        }
        if (rx.isEmpty()) {
            return true;
        }
        if (!Commit(row, column::RxFrequency, rx)) {
            return refuse(PasteProblem::Kind::NotFrequency, column::RxFrequency);
        }
        if (present(column::TxFrequency) && !Commit(row, column::TxFrequency, field(2))) {
            return refuse(PasteProblem::Kind::NotFrequency, column::TxFrequency);
        }
        for (int c : {int(column::RxTone), int(column::TxTone)}) {
            if (!present(c)) {
                continue;
            }
            const QString tone = field(c);
            const bool off =
                tone.isEmpty() || IsTextOf(tone, chtext::Off, m_plan.result, m_languages);
            if (!off && !IsListedTone(tone)) {
                return refuse(PasteProblem::Kind::NotTone, c);
            }
            Commit(row, c, off ? m_sheet.Text(chtext::Off) : tone);
        }
        for (const OptionTexts& option : kOptionTexts) {
            if (!present(option.column) || field(option.column).isEmpty()) {
                continue;  // a new channel's value
            }
            const QString text = field(option.column);
            int chosen = -1;
            for (int n : option.texts) {
                if (IsTextOf(text, n, m_plan.result, m_languages)) {
                    chosen = n;
                }
            }
            if (chosen < 0) {
                return refuse(PasteProblem::Kind::NotOption, option.column);
            }
            Commit(row, option.column, m_sheet.Text(chosen));
        }
        return true;
    }

private:
    bool Commit(int row, int column, const QString& text)
    {
        const CommitResult result = m_sheet.Commit(row, column, text);
        m_plan.outOfBand += result.outOfBand ? 1 : 0;
        m_reason = result.reason;
        return !result.refused;
    }

    PastePlan& m_plan;
    const std::vector<LanguageTable>& m_languages;
    ChannelSheet m_sheet;
    QString m_reason;  // of the last refused commit
};

}  // namespace

QString ChannelRowsText(const ChannelSheet& sheet, const std::vector<int>& rows)
{
    QString text;
    for (int row : rows) {
        QStringList cells;
        for (int c = 0; c < column::Count; ++c) {
            cells << sheet.Cell(row, c);
        }
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

PastePlan PlanPaste(const RadioData& data, int firstRow, const QString& text,
                    const std::vector<LanguageTable>& languages)
{
    PastePlan plan;
    plan.firstRow = firstRow;
    plan.result = data;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    while (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();  // the line end of the last line, and empty lines after it
    }
    Planner planner(plan, languages);
    const int room = std::max(0, planner.Room(firstRow));
    if (lines.size() > room || firstRow < 1) {
        plan.problem.kind = PasteProblem::Kind::TooManyLines;
        plan.problem.line = firstRow;
        plan.problem.lines = int(lines.size());
        plan.problem.room = room;
        return plan;
    }
    for (int i = 0; i < lines.size(); ++i) {
        const int row = firstRow + i;
        if (!planner.PasteLine(i + 1, row, lines[i].split(QLatin1Char('\t')))) {
            return plan;
        }
        plan.rows.push_back(row);
    }
    return plan;
}

void ApplyPaste(const PastePlan& plan, RadioData& data)
{
    // Only the pasted channels differ between the two records.
    for (int k = 0; k < kChannelBlockCount; ++k) {
        data.block(ChannelBlock(k)) = plan.result.block(ChannelBlock(k));
    }
}

QString PasteProblemText(const RadioData& data, const PasteProblem& problem)
{
    // Line, column and the text that did not fit.
    const auto at = [&](int n) {
        return UiText(data, n).arg(problem.line).arg(problem.column).arg(problem.text);
    };
    switch (problem.kind) {
    case PasteProblem::Kind::None: return QString();
    case PasteProblem::Kind::NotFrequency:
        if (!problem.reason.isEmpty()) {
            return UiText(data, text::PasteCellRefused)
                .arg(QString::number(problem.line), QString::number(problem.column),
                     problem.reason);
        }
        return at(text::PasteNotFrequency);
    case PasteProblem::Kind::NotTone: return at(text::PasteNotTone);
    case PasteProblem::Kind::NotOption: return at(text::PasteNotOption);
    case PasteProblem::Kind::TooManyLines:
        return UiText(data, text::PasteTooManyLines)
            .arg(problem.lines)
            .arg(problem.line)
            .arg(problem.room);
    }
    return QString();
}

}  // namespace radio
