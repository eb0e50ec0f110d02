#include "channels/list_search.h"

#include <QApplication>
#include <QComboBox>
#include <QRegularExpression>
#include <algorithm>

namespace radio {

}  // namespace radio

namespace radio {

namespace {

// The typed search as the tone list writes it: "D023N", "023N" and "D023" stand for
// "DN023", "D023I" and "023I" for "DI023"; an empty text when the search is no DCS
// code in another writing. `digitsAlone` takes three octal digits or fewer for a
// normal code too.
QString DcsEntryOf(const QString& search, bool digitsAlone)
{
    static const QRegularExpression dcs(QStringLiteral("^(D?)([0-7]{0,3})([NI]?)$"));
    const QRegularExpressionMatch match = dcs.match(search);
    if (!match.hasMatch()) {
        return QString();
    }
    const bool prefixed = !match.captured(1).isEmpty();
    const QString digits = match.captured(2);
    const QString polarity = match.captured(3);
    if (!prefixed && digits.isEmpty()) {
        return QString();
    }
    if (!prefixed && polarity.isEmpty() && !digitsAlone) {
        return QString();
    }
    // A polarity letter ends the code: it follows three digits.
    if (!polarity.isEmpty() && digits.size() != 3) {
        return QString();
    }
    return QLatin1Char('D') + (polarity.isEmpty() ? QStringLiteral("N") : polarity) + digits;
}

bool IsNumberText(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]+\\.?[0-9]*$"));
    return number.match(text).hasMatch();
}

}  // namespace

void ListSearch::Start(bool tones)
{
    m_tones = tones;
    m_search.clear();
    m_searchFailed = false;
    m_searchTime.invalidate();
}

// The entry the search names: for the tone list a CTCSS tone first ("103" is 103.5),
// then a DCS code in any of its writings; for every list an entry that begins with
// the text as typed.
int ListSearch::FindEntry(const QComboBox* list) const
{
    const QString search = m_search.toUpper();
    if (m_tones) {
        if (IsNumberText(search)) {
            const int tone = list->findText(search, Qt::MatchStartsWith);
            if (tone >= 0) {
                return tone;
            }
        }
        const bool digitsAlone = IsNumberText(search) && !search.contains(QLatin1Char('.'));
        const QString dcs = DcsEntryOf(search, digitsAlone);
        if (!dcs.isEmpty()) {
            return list->findText(dcs, Qt::MatchStartsWith);
        }
    }
    return list->findText(m_search, Qt::MatchStartsWith);
}

bool ListSearch::Type(QComboBox* list, const QString& typed)
{
    const int interval = std::max(QApplication::keyboardInputInterval(), 1000);
    if (!m_searchTime.isValid() || m_searchTime.elapsed() > interval) {
        Start(m_tones);
    }
    m_searchTime.restart();
    m_search += typed;
    int item = FindEntry(list);
    if (item < 0 && m_search.count(m_search.front()) == m_search.size()) {
        // "ooo": the next entry after the current one that begins with "o".
        const QString first(m_search.front());
        const int count = list->count();
        for (int step = 1; step <= count && item < 0; ++step) {
            const int candidate = (list->currentIndex() + step) % count;
            if (list->itemText(candidate).startsWith(first, Qt::CaseInsensitive)) {
                item = candidate;
            }
        }
    }
    if (item >= 0) {
        list->setCurrentIndex(item);
    }
    m_searchFailed = item < 0 && m_tones;
    return item >= 0;
}

bool ListSearch::Backspace(QComboBox* list)
{
    if (m_search.isEmpty()) {
        return true;
    }
    m_search.chop(1);
    m_searchTime.restart();
    if (m_search.isEmpty()) {
        m_searchFailed = false;
        return true;
    }
    const int item = FindEntry(list);
    if (item >= 0) {
        list->setCurrentIndex(item);
    }
    m_searchFailed = item < 0 && m_tones;
    return item >= 0;
}

}  // namespace radio
