// The editing views (channels, optional features, key settings, scan settings) all
// offer the same three operations to the main frame: fill the controls from the
// record, store the controls into the record, and take the language texts afresh.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

#include "config/text_of.h"
#include "data/radio_data.h"
#include "widgets/radio_document.h"

namespace radio {

class CEditView : public QWidget {
    Q_OBJECT
public:
    // The view shows `document`'s record and changes it only through the document.
    CEditView(RadioDocument* document, QWidget* parent = nullptr);
    ~CEditView() override;

    virtual void LoadFromRecord() = 0;  // record -> controls
    // Controls -> record, committing a pending edit. False when a control's text failed
    // its check: the user was told, that control has the focus, and a command that
    // collects the edits (a write, a save) must stop.
    virtual bool StoreToRecord() = 0;
    virtual void RefreshTexts() = 0;  // re-apply the language texts, then reload
    // The caption of the child window that holds the view.
    virtual QString ViewTitle() const = 0;

    // Gives the keyboard to the control the user worked in last, or else to the view's
    // first control: when the view's window becomes the active one, and when a
    // transfer gives the disabled controls back.
    virtual void FocusEditing();
    // Gives the keyboard to a control whose text was just refused, with that whole text
    // selected, so that what is typed next replaces it. The view that holds the
    // control keeps it as the control to come back to: the window system may give the
    // window its focus back only after the message about it has closed.
    static void FocusRefused(QWidget* control);

    const RadioData* Data() const { return m_data; }
    // The document the view's record belongs to: every change the view makes becomes
    // one step of its history. Undo and redo make the view show the record afresh.
    RadioDocument* Document() const { return m_document; }
    QString Text(int n) const { return UiText(*m_data, n); }

signals:
    // The child window's caption should change (the channel table follows its row).
    void titleChanged(const QString& title);
    // The view asks its child window to close (hide), as its Close button does.
    void closeRequested();
    // A short message for the status bar (why a typed text was refused).
    void statusMessage(const QString& text);

protected:
    // Changes the record as one step of the document named by what `change` returns.
    // Steps with the same `mergeKey` (a spin arrow held on one field) that follow one
    // another become one step.
    bool ChangeRecord(const std::function<RadioDocument::StepNamer(RadioData&)>& change,
                      int mergeKey = RadioDocument::kNoMerge);
    bool ChangeRecord(const std::function<QString(RadioData&)>& change);
    // The step of a form view that stores its controls: "Optional features changed".
    RadioDocument::StepNamer StoreStepName() const;

    RadioDocument* const m_document;
    // The document's record, for showing it.
    const RadioData* const m_data;

private:
    void NoteFocus(QWidget* now);

    QPointer<QWidget> m_lastFocus;
    // The control refused last, until the focus moves to another control of the view.
    QPointer<QWidget> m_refused;
    QMetaObject::Connection m_focusWatch;
};

}  // namespace radio
