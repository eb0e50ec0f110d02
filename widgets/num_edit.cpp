#include "widgets/num_edit.h"

#include <QKeyEvent>

#include "widgets/message_box.h"

namespace radio {

namespace {
bool g_numericEntryLock = false;
}  // namespace

void SetNumericEntryLock(bool locked)
{
    g_numericEntryLock = locked;
}

bool NumericEntryLocked()
{
    return g_numericEntryLock;
}

bool NumericEditAccepts(const QString& typed)
{
    if (g_numericEntryLock || typed.size() != 1) {
        return false;
    }
    const QChar c = typed.front();
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
           c == QChar(0x08) || c == QChar(0x03) || c == QChar(0x16) || c == QChar(0x18);
}

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent)
{
    // Input methods would commit text past the key filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CNumEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    // Keys that type nothing (arrows, Home, Delete) and the keys that move between
    // fields are not characters for the filter.
    const bool character = !typed.isEmpty() && typed != QLatin1String("\x7f") &&
                           typed != QLatin1String("\t") && typed != QLatin1String("\r") &&
                           typed != QLatin1String("\x1b") && typed != QLatin1String("\n");
    if (character && !NumericEditAccepts(typed)) {
        Beep(this);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace radio
