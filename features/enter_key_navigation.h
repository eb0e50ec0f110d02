// Enter in a form view moves on to the next control, as Tab does, so that a form can
// be filled in from the number pad. On a push button Enter presses the button.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace radio {

class EnterKeyNavigation : public QObject {
    Q_OBJECT
public:
    // Watches every control of `form` that takes the focus by Tab. `beforeMove`, when
    // given, runs with the focused control before the focus moves on; when it returns
    // false the focus stays where it is now (a refused field keeps it).
    explicit EnterKeyNavigation(QWidget* form, std::function<bool(QWidget*)> beforeMove = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MoveOn(QWidget* from);

    QWidget* m_form;
    std::function<bool(QWidget*)> m_beforeMove;
};

}  // namespace radio
