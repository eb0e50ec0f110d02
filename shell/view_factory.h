// Creates the editing view of each kind. The main frame reaches views only through
// CEditView; after creating one it puts it into a child window and runs its
// LoadFromRecord once (the view's initial fill), so a view needs to apply its texts
// in its constructor and nothing more.
#pragma once

#include <functional>

#include "data/radio_data.h"
#include "shell/view_kind.h"
#include "widgets/edit_view.h"

class QWidget;

namespace radio {

// A new view of `kind` over `document`'s record; never null.
CEditView* CreateEditView(ViewKind kind, RadioDocument* document, QWidget* parent);

// Tests put views of their own in place of the real ones; an empty function
// restores the real views.
using EditViewMaker = std::function<CEditView*(ViewKind, RadioDocument*, QWidget*)>;
void SetEditViewMaker(EditViewMaker maker);

}  // namespace radio
