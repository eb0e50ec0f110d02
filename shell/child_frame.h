// The child window of one editing view. Closing it only hides it: the window and
// its view live until the program ends, and reopening shows them as they were.
#pragma once

#include <QMdiSubWindow>

#include "shell/view_kind.h"

namespace radio {

class CEditView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(ViewKind kind, CEditView* view, QWidget* parent = nullptr);

    ViewKind Kind() const { return m_kind; }
    CEditView* View() const { return m_view; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ViewKind m_kind;
    CEditView* m_view;
};

}  // namespace radio
