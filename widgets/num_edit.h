// CNumEdit: the edit box for numbers. Typed characters other than digits, the point,
// Backspace and Ctrl+C/V/X are dropped with a beep; pasted text and text the program
// sets are not examined (the views check their fields when they take them over).
//
// The numeric-entry lock, one flag for the whole program, makes every CNumEdit refuse
// typing; the channel table holds it while the mouse button is down on its grid.
#pragma once

#include <QLineEdit>

namespace radio {

void SetNumericEntryLock(bool locked);
bool NumericEntryLocked();

// True when a CNumEdit takes this typed character (a key event's text).
bool NumericEditAccepts(const QString& typed);

class CNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace radio
