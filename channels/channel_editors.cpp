#include "channels/channel_editors.h"

#include <QApplication>
#include <QComboBox>
#include <QRegularExpression>
#include <QStringListModel>
#include <algorithm>

#include "channels/channel_columns.h"
#include "config/text_of.h"
#include "data/channel_codec.h"
#include "widgets/num_edit.h"

namespace radio {

ChannelEditors::ChannelEditors(QWidget* host) : m_edit(new CNumEdit(host))
{
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setFrame(false);
    m_edit->hide();
    for (auto& list : m_lists) {
        list = new QComboBox(host);
        list->setEditable(false);
        list->setMaxVisibleItems(16);
        list->hide();
    }
    // The tone list is large: one model, filled once per off text, owned by its list.
    m_tones = new QStringListModel(m_lists[0]);
    m_lists[0]->setModel(m_tones);
    // An entry chosen with the arrows or the mouse ends what was typed.
    QObject::connect(m_lists[0], &QComboBox::activated, m_lists[0], [this] { StartSearch(); });
}

void ChannelEditors::Fill(const RadioData& data)
{
    const QString off = UiText(data, chtext::Off);
    if (!m_tonesFilled || off != m_toneOffText) {
        QStringList tones;
        const std::vector<std::string> list = radio::ToneList(off.toStdString());
        tones.reserve(int(list.size()));
        for (const std::string& tone : list) {
            tones.append(QString::fromStdString(tone));
        }
        m_tones->setStringList(tones);
        m_toneOffText = off;
        m_tonesFilled = true;
    }
    for (int c = column::Wide; c <= column::BusyLock; ++c) {
        const OptionField option = OptionFieldOf(c);
        const QString one = UiText(data, option.textFor1);
        const QString zero = UiText(data, option.textFor0);
        QComboBox* list = m_lists[std::size_t(c - column::Wide + 1)];
        list->clear();
        list->addItems(option.zeroFirst ? QStringList{zero, one} : QStringList{one, zero});
    }
}

QWidget* ChannelEditors::EditorFor(int column) const
{
    if (IsToneColumn(column)) {
        return m_lists[0];
    }
    if (column >= column::Wide && column <= column::BusyLock) {
        return m_lists[std::size_t(column - column::Wide + 1)];
    }
    return m_edit;
}

bool ChannelEditors::IsList(const QWidget* editor) const
{
    return editor != nullptr && editor != m_edit;
}

std::array<QWidget*, 6> ChannelEditors::All() const
{
    return {m_edit, m_lists[0], m_lists[1], m_lists[2], m_lists[3], m_lists[4]};
}

void ChannelEditors::Preset(int column, const QString& text)
{
    QWidget* editor = EditorFor(column);
    if (editor == m_edit) {
        m_edit->setText(text);
        return;
    }
    auto* list = static_cast<QComboBox*>(editor);
    const int item = list->findText(text, Qt::MatchStartsWith);
    if (item >= 0) {
        list->setCurrentIndex(item);
    }
}

QString ChannelEditors::TextOf(const QWidget* editor) const
{
    if (editor == m_edit) {
        return m_edit->text();
    }
    return static_cast<const QComboBox*>(editor)->currentText();
}

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

void ChannelEditors::StartSearch()
{
    m_search.clear();
    m_searchFailed = false;
    m_searchTime.invalidate();
}

void ChannelEditors::ForgetSearch()
{
    StartSearch();
}

// The entry the search names: for the tone list a CTCSS tone first ("103" is 103.5),
// then a DCS code in any of its writings; for every list an entry that begins with
// the text as typed.
int ChannelEditors::FindEntry(const QComboBox* list) const
{
    const QString search = m_search.toUpper();
    if (list == m_lists[0]) {
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

bool ChannelEditors::TypeIntoList(QComboBox* list, const QString& typed)
{
    const int interval = std::max(QApplication::keyboardInputInterval(), 1000);
    if (!m_searchTime.isValid() || m_searchTime.elapsed() > interval) {
        StartSearch();
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
    m_searchFailed = item < 0 && list == m_lists[0];
    return item >= 0;
}

bool ChannelEditors::BackspaceInList(QComboBox* list)
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
    m_searchFailed = item < 0 && list == m_lists[0];
    return item >= 0;
}

}  // namespace radio
