// Type-ahead in a drop list of the channel table: the characters typed since the edit
// began (with pauses no longer than the keyboard input interval, and at least a
// second) choose the first entry that begins with them, so "88.5" or "DI754" typed in
// full picks that tone. The tone list also takes the common ways of writing a DCS
// code: "D023N", "D023I", "023N", "023I", and "023" for the normal code when no CTCSS
// tone begins so; either case. The same character repeated steps through the entries
// that begin with it. Backspace takes back the last character.
#pragma once

#include <QElapsedTimer>
#include <QString>

class QComboBox;

namespace radio {

class ListSearch {
public:
    // A new search, in the tone list or in an option list.
    void Start(bool tones);
    // False when what was typed names no entry.
    bool Type(QComboBox* list, const QString& typed);
    bool Backspace(QComboBox* list);
    // What was typed into the tone list names no tone (until the next search, a
    // Backspace that mends it or a choice with the arrows or the mouse).
    bool Failed() const { return m_searchFailed; }
    QString Text() const { return m_search; }

private:
    int FindEntry(const QComboBox* list) const;

    bool m_tones = false;
    QString m_search;
    bool m_searchFailed = false;
    QElapsedTimer m_searchTime;
};

}  // namespace radio
