#include "features/spin_arrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace radio {

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // Clicking an arrow leaves the focus in the number field.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    button->setFixedWidth(16);
    button->setAccessibleName(name);
    return button;
}

}  // namespace

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent),
      m_up(MakeArrow(Qt::UpArrow, tr("Up"), this)),
      m_down(MakeArrow(Qt::DownArrow, tr("Down"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(m_up, &QToolButton::clicked, this, [this]() { emit stepped(SpinDirection::Up); });
    connect(m_down, &QToolButton::clicked, this, [this]() { emit stepped(SpinDirection::Down); });
}

void SpinArrows::AttachEdit(QLineEdit* edit)
{
    if (m_edit) {
        m_edit->removeEventFilter(this);
    }
    m_edit = edit;
    edit->installEventFilter(this);
    setEnabled(edit->isEnabled());
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit) {
        return false;
    }
    if (event->type() == QEvent::EnabledChange) {
        setEnabled(m_edit->isEnabled());
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Up) {
                emit stepped(SpinDirection::Up);
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                emit stepped(SpinDirection::Down);
                return true;
            }
        }
    }
    return false;
}

}  // namespace radio
