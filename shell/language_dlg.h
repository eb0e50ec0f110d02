// The language dialog: a list of the languages named in the header row of the
// language file.
#pragma once

#include <QDialog>

#include "config/language_file.h"
#include "data/radio_data.h"

class QComboBox;

namespace radio {

class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    CLanguageDlg(const RadioData& data, const LanguageNames& names, int chosenIndex,
                 QWidget* parent = nullptr);

    // The list's selection; -1 when the list is empty.
    int ChosenIndex() const;
    QComboBox* List() const { return m_list; }

signals:
    void helpRequested();

private:
    QComboBox* m_list;
};

}  // namespace radio
