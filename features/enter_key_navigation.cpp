#include "features/enter_key_navigation.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>
#include <QWidget>

namespace radio {

EnterKeyNavigation::EnterKeyNavigation(QWidget* form, std::function<bool(QWidget*)> beforeMove)
    : QObject(form), m_form(form), m_beforeMove(std::move(beforeMove))
{
    const auto controls = form->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (control->focusPolicy() & Qt::TabFocus) {
            control->installEventFilter(this);
        }
    }
}

bool EnterKeyNavigation::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
        return false;
    }
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    auto* control = static_cast<QWidget*>(watched);
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (button && !qobject_cast<QCheckBox*>(button)) {
        button->click();
        return true;
    }
    if (m_beforeMove && !m_beforeMove(control)) {
        return true;
    }
    MoveOn(control);
    return true;
}

void EnterKeyNavigation::MoveOn(QWidget* from)
{
    // The next control in the Tab order that can take the focus now.
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (m_form->isAncestorOf(w) && w->isEnabled() && w->isVisible() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace radio
