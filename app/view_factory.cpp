#include "app/view_factory.h"

#include "app/placeholder_view.h"

namespace radio {

CEditView* CreateEditView(ViewKind kind, RadioData* data, QWidget* parent)
{
    switch (kind) {
    case ViewKind::Channels: return new PlaceholderView(kind, data, parent);
    case ViewKind::Features: return new PlaceholderView(kind, data, parent);
    case ViewKind::Keys: return new PlaceholderView(kind, data, parent);
    case ViewKind::Scan: return new PlaceholderView(kind, data, parent);
    }
    return new PlaceholderView(kind, data, parent);
}

}  // namespace radio
