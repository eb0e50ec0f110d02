#include "shell/view_slots.h"

#include <QMdiArea>

#include "shell/view_factory.h"
#include "shell/window_arrange.h"

namespace radio {

QSize ChildWindowSize(ViewKind kind, QSize outer)
{
    switch (kind) {
    case ViewKind::Channels: return {762, 400};
    case ViewKind::Features: return {715, 460};
    case ViewKind::Keys: return {outer.width() * 40 / 50, outer.height() * 33 / 50};
    case ViewKind::Scan: return {558, 310};
    }
    return {400, 300};
}

QSize ChildOpenSize(ViewKind kind, QSize mainWindowOuter, const CChildFrame& frame)
{
    return ChildWindowSize(kind, mainWindowOuter).expandedTo(frame.minimumSizeHint());
}

QSize ViewSlots::RoomForEveryView(QSize mainWindowOuter) const
{
    QSize room;
    for (ViewKind kind : kAllViewKinds) {
        // Measured apart from the area: nothing is shown, and the record is only read.
        // A view shows the texts of the language in use from its start.
        CEditView* view = CreateEditView(kind, m_document, nullptr);
        const CChildFrame frame(kind, view);
        room = room.expandedTo(ChildOpenSize(kind, mainWindowOuter, frame));
    }
    return room;
}

ViewSlots::ViewSlots(QMdiArea* area, RadioDocument* document) : m_area(area), m_document(document)
{
}

CEditView* ViewSlots::View(ViewKind kind) const
{
    CChildFrame* frame = Frame(kind);
    return frame ? frame->View() : nullptr;
}

std::vector<ViewKind> ViewSlots::Existing() const
{
    std::vector<ViewKind> kinds;
    for (ViewKind kind : kAllViewKinds) {
        if (Frame(kind)) {
            kinds.push_back(kind);
        }
    }
    return kinds;
}

CChildFrame* ViewSlots::Open(ViewKind kind, QSize mainWindowOuter)
{
    if (CChildFrame* frame = Frame(kind)) {
        if (frame->isMinimized()) {
            frame->showNormal();
        } else {
            frame->show();
        }
        m_area->setActiveSubWindow(frame);
        frame->View()->FocusEditing();
        return frame;
    }

    QMdiSubWindow* previous = m_area->activeSubWindow();
    const bool maximized = previous && previous->isVisible() && previous->isMaximized();
    CEditView* view = CreateEditView(kind, m_document, nullptr);
    auto* frame = new CChildFrame(kind, view);
    m_area->addSubWindow(frame);
    m_frames[std::size_t(kind)] = frame;
    frame->resize(ChildOpenSize(kind, mainWindowOuter, *frame));
    frame->move(NewWindowPosition(m_area, frame->size(), frame));
    view->setEnabled(m_editingEnabled);
    view->LoadFromRecord();
    if (maximized && kind != ViewKind::Channels) {
        frame->showMaximized();
    } else {
        frame->showNormal();
    }
    m_area->setActiveSubWindow(frame);
    view->FocusEditing();
    return frame;
}

void ViewSlots::LoadAll()
{
    for (ViewKind kind : Existing()) {
        View(kind)->LoadFromRecord();
    }
}

bool ViewSlots::StoreAll()
{
    for (ViewKind kind : Existing()) {
        if (!View(kind)->StoreToRecord()) {
            CChildFrame* frame = Frame(kind);
            if (frame->isHidden() || frame->isMinimized()) {
                frame->showNormal();
            }
            m_area->setActiveSubWindow(frame);
            frame->View()->FocusEditing();
            return false;
        }
    }
    return true;
}

void ViewSlots::SetEditingEnabled(bool enabled)
{
    m_editingEnabled = enabled;
    for (ViewKind kind : Existing()) {
        View(kind)->setEnabled(enabled);
    }
    if (enabled) {
        FocusActiveView();
    }
}

void ViewSlots::FocusActiveView()
{
    auto* frame = qobject_cast<CChildFrame*>(m_area->activeSubWindow());
    if (frame != nullptr && frame->isVisible() && frame->View()->isEnabled()) {
        frame->View()->FocusEditing();
    }
}

}  // namespace radio
