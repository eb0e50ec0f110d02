// What the shell's controllers need of the main window: its editing views, its
// caption and background, whether a transfer runs, and the window that their boxes
// and dialogs belong to. The main window is the one implementation; the controllers
// know this interface and the document, not the window.
#pragma once

#include "shell/view_kind.h"

class QWidget;

namespace radio {

class CChildFrame;
class CEditView;

class ViewManager {
public:
    // The parent of the controllers' boxes and dialogs.
    virtual QWidget* Window() = 0;
    // Shows the view's child window (creating it the first time) and activates it.
    virtual CChildFrame* OpenView(ViewKind kind) = 0;
    // The view of a kind; null until it was first opened.
    virtual CEditView* View(ViewKind kind) const = 0;
    // The view of the active child window while that window is shown; null otherwise.
    virtual CEditView* ActiveView() const = 0;
    // Every open view reloads from the record; then the channel view is shown.
    virtual void RefreshViews() = 0;
    // Every open view reloads from the record; no view is opened or shown.
    virtual void ReloadViews() = 0;
    // Every open view stores its controls into the record; false when a field failed
    // its check (the user was told): the command that collects stops.
    virtual bool CollectEdits() = 0;
    // The caption and the status bar's port follow the record.
    virtual void UpdateTitle() = 0;
    // The picture may have changed (language or model): paint the background again.
    virtual void RepaintBackground() = 0;
    virtual bool TransferRunning() const = 0;

protected:
    ~ViewManager() = default;
};

}  // namespace radio
