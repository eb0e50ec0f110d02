// The small up/down arrows beside a number field. The step itself is the view's
// (SpinStep); the arrows only report which way. Up and Down pressed in the field
// they are attached to report the same, and they follow its enabled state.
#pragma once

#include <QWidget>

#include "features/spin_step.h"

class QLineEdit;
class QToolButton;

namespace radio {

class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);

    void AttachEdit(QLineEdit* edit);

signals:
    void stepped(radio::SpinDirection direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_edit = nullptr;
};

}  // namespace radio
