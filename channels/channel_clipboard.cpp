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
    {column::Wide, {text::Narrow, text::Wide}},
    {column::Power, {text::Low, text::High}},
    {column::ScanAdd, {text::Off, text::On}},
    {column::BusyLock, {text::SwitchedOff, text::SwitchedOn}},
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
        : m_plan(plan), m_languages(languages)
    {
    }

    int Room(int firstRow) const { return m_plan.result.ChannelCount() - firstRow + 1; }

    // One line into channel `row` from column `column` on; false when it does not fit.
    bool PasteLine(int line, int row, int column, const QStringList& fields)
    {
        // Rows copied from the table: the label first, then the whole channel.
        const bool wholeRow = column == column::RxFrequency && fields.size() == column::Count;
        const int offset = wholeRow ? 1 : 0;
        const int width = int(fields.size()) - offset;
        if (column + width - 1 > column::Last) {
            m_plan.problem.kind = PasteProblem::Kind::TooWide;
            m_plan.problem.line = line;
            m_plan.problem.lines = int(fields.size());
            m_plan.problem.room = column::Last - column + 1;
            return false;
        }
        m_plan.lastColumn = std::max(m_plan.lastColumn, column + width - 1);
        if (wholeRow && !CellText(m_plan.result, row, column::RxFrequency).isEmpty()) {
            CommitCell(m_plan.result, row, column::RxFrequency,
                       QString());  // the line defines it
        }
        for (int j = 0; j < width; ++j) {
            if (!PasteCell(line, offset + j + 1, row, column + j, fields[offset + j])) {
                return false;
            }
        }
        return true;
    }

private:
    // One field into cell (row, c); `at` is its column in the pasted line.
    bool PasteCell(int line, int at, int row, int c, const QString& pasted)
    {
        const QString value = pasted.trimmed();
        const auto refuse = [&](PasteProblem::Kind kind) {
            m_plan.problem = {kind, line, at, pasted, m_reason, 0, 0, row};
            return false;
        };
        if (c != column::RxFrequency &&
            CellText(m_plan.result, row, column::RxFrequency).isEmpty()) {
            // No channel: nothing to fill but nothing to lose either.
            return value.isEmpty() || refuse(PasteProblem::Kind::NoChannel);
        }
        if (IsFrequencyColumn(c)) {
            if (value.isEmpty() && CellText(m_plan.result, row, c).isEmpty()) {
                return true;
            }
            return Commit(row, c, value) || refuse(PasteProblem::Kind::NotFrequency);
        }
        if (IsToneColumn(c)) {
            const bool off =
                value.isEmpty() || IsTextOf(value, text::Off, m_plan.result, m_languages);
            if (!off && !IsListedTone(value)) {
                return refuse(PasteProblem::Kind::NotTone);
            }
            return Commit(row, c, off ? UiText(m_plan.result, text::Off) : value);
        }
        if (value.isEmpty()) {
            return true;  // an option keeps its value
        }
        for (const OptionTexts& option : kOptionTexts) {
            if (option.column != c) {
                continue;
            }
            for (int n : option.texts) {
                if (IsTextOf(value, n, m_plan.result, m_languages)) {
                    return Commit(row, c, UiText(m_plan.result, n));
                }
            }
        }
        return refuse(PasteProblem::Kind::NotOption);
    }

    bool Commit(int row, int column, const QString& text)
    {
        // Each pasted cell changes its own cell only: no tone follows another.
        const CommitResult result = CommitCell(m_plan.result, row, column, text, false);
        m_plan.outOfBand += result.outOfBand ? 1 : 0;
        m_reason = result.reason;
        return !result.refused;
    }

    PastePlan& m_plan;
    const std::vector<LanguageTable>& m_languages;
    QString m_reason;  // of the last refused commit
};

}  // namespace

QString ChannelRowsText(const RadioData& data, const std::vector<int>& rows)
{
    QString text;
    for (int row : rows) {
        QStringList cells;
        for (int c = 0; c < column::Count; ++c) {
            cells << CellText(data, row, c);
        }
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

PastePlan PlanPaste(const RadioData& data, int firstRow, int firstColumn, const QString& text,
                    const std::vector<LanguageTable>& languages)
{
    PastePlan plan;
    plan.firstRow = firstRow;
    plan.firstColumn = std::clamp(firstColumn, int(column::RxFrequency), int(column::Last));
    plan.lastColumn = plan.firstColumn;
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
        if (!planner.PasteLine(i + 1, row, plan.firstColumn, lines[i].split(QLatin1Char('\t')))) {
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
    case PasteProblem::Kind::TooWide:
        return UiText(data, text::PasteTooWide)
            .arg(problem.line)
            .arg(problem.lines)
            .arg(problem.room);
    case PasteProblem::Kind::NoChannel:
        return UiText(data, text::PasteNoChannel)
            .arg(QString::number(problem.line), QString::number(problem.column), problem.text,
                 QString::number(problem.channel));
    case PasteProblem::Kind::TooManyLines:
        return UiText(data, text::PasteTooManyLines)
            .arg(problem.lines)
            .arg(problem.line)
            .arg(problem.room);
    }
    return QString();
}

}  // namespace radio
