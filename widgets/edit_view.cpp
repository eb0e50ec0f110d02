#include "widgets/edit_view.h"

#include <QApplication>
#include <QLineEdit>

namespace radio {

CEditView::CEditView(RadioDocument* document, QWidget* parent)
    : QWidget(parent), m_document(document), m_data(&std::as_const(*document).Record())
{
    connect(m_document, &RadioDocument::recordReplaced, this, &CEditView::LoadFromRecord);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { NoteFocus(now); });
}

CEditView::~CEditView()
{
    // The widget's own end still moves the focus: this part of it is gone by then.
    disconnect(m_focusWatch);
}

bool CEditView::ChangeRecord(const std::function<RadioDocument::StepNamer(RadioData&)>& change,
                             int mergeKey)
{
    return m_document->Change(change, mergeKey);
}

bool CEditView::ChangeRecord(const std::function<QString(RadioData&)>& change)
{
    return m_document->Change(change);
}

RadioDocument::StepNamer CEditView::StoreStepName() const
{
    // Views live as long as the history does.
    return [this] { return Text(text::UndoViewStored).arg(ViewTitle()); };
}

void CEditView::NoteFocus(QWidget* now)
{
    if (now != nullptr && isAncestorOf(now)) {
        m_lastFocus = now;
        if (now != m_refused) {
            m_refused = nullptr;
        }
    }
}

namespace {

void FocusAndSelect(QWidget* control)
{
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->selectAll();
    }
}

}  // namespace

void CEditView::FocusRefused(QWidget* control)
{
    for (QWidget* w = control->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* view = qobject_cast<CEditView*>(w)) {
            view->m_lastFocus = control;
            view->m_refused = control;
            break;
        }
    }
    FocusAndSelect(control);
}

void CEditView::FocusEditing()
{
    QWidget* target = m_lastFocus;
    if (target == nullptr || !isAncestorOf(target) || !target->isEnabled() ||
        !target->isVisibleTo(this)) {
        target = nullptr;
        // The first control the Tab key would reach.
        for (QWidget* w = nextInFocusChain(); w != nullptr && w != this;
             w = w->nextInFocusChain()) {
            if (isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(this) &&
                (w->focusPolicy() & Qt::TabFocus)) {
                target = w;
                break;
            }
        }
    }
    if (target != nullptr && target == m_refused) {
        FocusAndSelect(target);
    } else if (target != nullptr) {
        target->setFocus(Qt::OtherFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace radio
