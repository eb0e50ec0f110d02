#include "channels/channel_editors.h"

#include <QApplication>
#include <QComboBox>
#include <QStringListModel>

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

void ChannelEditors::TypeIntoList(QComboBox* list, const QString& typed)
{
    if (!m_searchTime.isValid() || m_searchTime.elapsed() > QApplication::keyboardInputInterval()) {
        m_search.clear();
    }
    m_searchTime.restart();
    m_search += typed;
    int item = list->findText(m_search, Qt::MatchStartsWith);
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
}

}  // namespace radio
