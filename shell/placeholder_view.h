// An editing view that shows nothing yet: it carries the view's caption so that its
// child window, the menus and the tree behave as they will with the real view.
#pragma once

#include "shell/view_kind.h"
#include "widgets/edit_view.h"

class QLabel;

namespace radio {

class PlaceholderView : public CEditView {
    Q_OBJECT
public:
    PlaceholderView(ViewKind kind, RadioDocument* document, QWidget* parent = nullptr);

    void LoadFromRecord() override {}
    bool StoreToRecord() override { return true; }
    void RefreshTexts() override;
    QString ViewTitle() const override;

    ViewKind Kind() const { return m_kind; }

private:
    ViewKind m_kind;
    QLabel* m_label;
};

}  // namespace radio
