#include "print/print_dialogs.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "config/text_of.h"
#include "features/choice_fun_view.h"
#include "widgets/message_box.h"

namespace radio {

namespace {

constexpr int kWarningCaption = 89;

// The summary prints the features view's fields: take what the controls show now,
// so the printout matches the screen.
void TakeFeatureControls(const ChannelPrintout& printout)
{
    if (printout.features) {
        printout.features->TakeControls();
    }
}

void TellPrintFailed(const RadioData& data, QWidget* parent)
{
    BoxRequest box;
    box.text = UiText(data, text::PrintFailed);
    box.caption = UiText(data, kWarningCaption);
    box.icon = QMessageBox::Warning;
    ShowBox(parent, box);
}

}  // namespace

bool PrintWithDialog(const ChannelPrintout& printout, QPrinter& printer, QWidget* parent)
{
    TakeFeatureControls(printout);
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
    TakeFeatureControls(printout);
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
