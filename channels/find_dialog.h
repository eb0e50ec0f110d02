// Find: the frequency or tone the table looks for next. The dialog only asks; the
// table searches.
#pragma once

#include <QDialog>

#include "data/radio_data.h"

class QLineEdit;
class QPushButton;

namespace radio {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    // The field starts with `last` (what was sought before), all of it selected, so
    // that typing replaces it and Enter seeks it again. OK is refused while the field
    // holds only blanks.
    FindDialog(const RadioData& data, const QString& last, QWidget* parent = nullptr);

    // What was typed, without leading and trailing blanks.
    QString Text() const;
    QLineEdit* TextEdit() const { return m_text; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QLineEdit* m_text;
    QPushButton* m_ok;
};

}  // namespace radio
