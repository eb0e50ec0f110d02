// The child windows of the editing views, one per view once it has been opened. A
// child window lives until the program ends; closing it only hides it.
#pragma once

#include <QPointer>
#include <QSize>
#include <array>
#include <vector>

#include "shell/child_frame.h"
#include "shell/view_kind.h"
#include "widgets/radio_document.h"

class QMdiArea;

namespace radio {

class CEditView;

// The size of a view's child window; the key settings view takes its size from the
// main window's outer size.
QSize ChildWindowSize(ViewKind kind, QSize mainWindowOuter);
// The size a view's child window opens with: that size, or more where the view needs
// more to show all of its controls.
QSize ChildOpenSize(ViewKind kind, QSize mainWindowOuter, const CChildFrame& frame);

class ViewSlots {
public:
    ViewSlots(QMdiArea* area, RadioDocument* document);

    CChildFrame* Frame(ViewKind kind) const { return m_frames[std::size_t(kind)]; }
    CEditView* View(ViewKind kind) const;
    // The views opened so far, in the order channels, features, keys, scan.
    std::vector<ViewKind> Existing() const;

    // The room the area must offer so that the child window of every view, opened by
    // itself with the current texts, lies wholly inside it. Builds each view once to
    // measure it.
    QSize RoomForEveryView(QSize mainWindowOuter) const;

    // Shows and activates the view's child window, creating it the first time.
    CChildFrame* Open(ViewKind kind, QSize mainWindowOuter);

    void LoadAll();  // every open view: record -> controls
    // Every open view: controls -> record. False when a view refused a field: that
    // view's window is brought up with the field focused, and the rest wait.
    bool StoreAll();
    // While a transfer uses the record, no view may edit it. Giving the views back
    // gives the keyboard back to the active one.
    void SetEditingEnabled(bool enabled);
    // The active child window's view takes the keyboard.
    void FocusActiveView();

private:
    QMdiArea* m_area;
    RadioDocument* m_document;
    std::array<QPointer<CChildFrame>, kViewKindCount> m_frames{};
    bool m_editingEnabled = true;
};

}  // namespace radio
