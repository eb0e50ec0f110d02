#include "print/print_dialogs.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "channels/chn_msg_form_view.h"
#include "config/text_of.h"
#include "features/choice_fun_view.h"
#include "features/key_set_view.h"
#include "features/scan_msg_view.h"
#include "widgets/message_box.h"

namespace radio {

namespace {

// The printout shows what the views' controls show. Their edits are stored first, as
// a save stores them, so that what is on paper is also what the record holds; a text
// that fails its check stops the print (the user was told, the field has the focus).
bool StoreEdits(const ChannelPrintout& printout)
{
    const std::array<CEditView*, 4> views = {printout.channels, printout.features, printout.keys,
                                             printout.scan};
    for (CEditView* view : views) {
        if (view && !view->StoreToRecord()) {
            return false;
        }
    }
    return true;
}

void TellPrintFailed(const RadioData& data, QWidget* parent)
{
    BoxRequest box;
    box.text = UiText(data, text::PrintFailed);
    box.caption = UiText(data, text::WarningCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(parent, box);
}

}  // namespace

bool PrintWithDialog(const ChannelPrintout& printout, QPrinter& printer, QWidget* parent)
{
    if (!StoreEdits(printout)) {
        return false;
    }
    ChannelPrinter job(printout);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, job.PageCount());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (!job.Print(printer)) {
        TellPrintFailed(*printout.data, parent);
        return false;
    }
    return true;
}

bool PreviewWithDialog(const ChannelPrintout& printout, QPrinter& printer, QWidget* parent)
{
    if (!StoreEdits(printout)) {
        return false;
    }
    ChannelPrinter job(printout);
    QPrintPreviewDialog dialog(&printer, parent);
    bool printed = true;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { printed = job.Print(*target); });
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (!printed) {
        TellPrintFailed(*printout.data, parent);
        return false;
    }
    return true;
}

}  // namespace radio
