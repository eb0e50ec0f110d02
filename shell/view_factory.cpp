#include "shell/view_factory.h"

#include "channels/chn_msg_form_view.h"
#include "features/choice_fun_view.h"
#include "features/key_set_view.h"
#include "features/scan_msg_view.h"

namespace radio {

namespace {
EditViewMaker g_maker;
}  // namespace

void SetEditViewMaker(EditViewMaker maker)
{
    g_maker = std::move(maker);
}

CEditView* CreateEditView(ViewKind kind, RadioDocument* document, QWidget* parent)
{
    if (g_maker) {
        return g_maker(kind, document, parent);
    }
    switch (kind) {
    case ViewKind::Channels: return new CChnMsgFormView(document, parent);
    case ViewKind::Features: return new CChoiceFunView(document, parent);
    case ViewKind::Keys: return new CKeySetView(document, parent);
    case ViewKind::Scan: return new CScanMsgView(document, parent);
    }
    Q_UNREACHABLE();
    return nullptr;
}

}  // namespace radio
