// The in-place editors of the channel table: one numeric edit box for the frequency
// columns and five drop lists (tones, then one per option column). They live hidden
// over the grid; the table shows one at a time over the cell being edited.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <array>

class QComboBox;
class QStringListModel;
class QWidget;

namespace radio {

class CNumEdit;
struct RadioData;

class ChannelEditors {
public:
    // Creates the editors as hidden children of `host`.
    explicit ChannelEditors(QWidget* host);

    // Refills the lists from the language texts. The tone list (1077 entries) depends
    // only on the off text and is rebuilt only when that changes.
    void Fill(const RadioData& data);

    QWidget* EditorFor(int column) const;
    CNumEdit* Edit() const { return m_edit; }
    QComboBox* ToneList() const { return m_lists[0]; }
    bool IsList(const QWidget* editor) const;
    std::array<QWidget*, 6> All() const;

    // Shows `text` in the column's editor: the edit box takes it, a list selects its
    // first entry that begins with it.
    void Preset(int column, const QString& text);
    // The text the editor holds: the edit box's text, a list's selected entry.
    QString TextOf(const QWidget* editor) const;

    // Type-ahead in a list: the characters typed since the edit began (with pauses no
    // longer than the keyboard input interval, and at least a second) choose the first
    // entry that begins with them, so "88.5" or "DI754" typed in full picks that tone.
    // The tone list also takes the common ways of writing a DCS code: "D023N",
    // "D023I", "023N", "023I", and "023" for the normal code when no CTCSS tone begins
    // so; either case. The same character repeated steps through the entries that
    // begin with it. False when what was typed names no entry; Backspace takes back
    // the last character.
    void StartSearch();
    bool TypeIntoList(QComboBox* list, const QString& typed);
    bool BackspaceInList(QComboBox* list);
    // What was typed into the tone list names no tone (until the next search, a
    // Backspace that mends it or a choice with the arrows or the mouse).
    bool ToneSearchFailed() const { return m_searchFailed; }
    QString SearchText() const { return m_search; }
    void ForgetSearch();

private:
    CNumEdit* m_edit;
    std::array<QComboBox*, 5> m_lists{};
    QStringListModel* m_tones;
    QString m_toneOffText;
    bool m_tonesFilled = false;
    int FindEntry(const QComboBox* list) const;

    QString m_search;
    bool m_searchFailed = false;
    QElapsedTimer m_searchTime;
};

}  // namespace radio
