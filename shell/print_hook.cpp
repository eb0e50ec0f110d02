#include "shell/print_hook.h"

#include <QPrinter>

#include "channels/chn_msg_form_view.h"
#include "features/choice_fun_view.h"
#include "features/key_set_view.h"
#include "features/scan_msg_view.h"
#include "print/print_dialogs.h"
#include "shell/main_frame.h"

namespace radio {

namespace {

ChannelPrintout Printout(const PrintRequest& request)
{
    ChannelPrintout printout;
    printout.data = request.data;
    printout.channels =
        qobject_cast<CChnMsgFormView*>(request.views[std::size_t(ViewKind::Channels)]);
    printout.features =
        qobject_cast<CChoiceFunView*>(request.views[std::size_t(ViewKind::Features)]);
    printout.keys = qobject_cast<CKeySetView*>(request.views[std::size_t(ViewKind::Keys)]);
    printout.scan = qobject_cast<CScanMsgView*>(request.views[std::size_t(ViewKind::Scan)]);
    if (printout.channels) {
        printout.document = printout.channels->Document();
    }
    printout.title = CMainFrame::Title(*request.data);
    return printout;
}

}  // namespace

bool PrintChannelTable(const PrintRequest& request)
{
    QPrinter printer(QPrinter::HighResolution);
    return PrintWithDialog(Printout(request), printer, request.parent);
}

bool PreviewChannelTable(const PrintRequest& request)
{
    QPrinter printer(QPrinter::HighResolution);
    return PreviewWithDialog(Printout(request), printer, request.parent);
}

}  // namespace radio
