#include "widgets/modal_dialog.h"

#include <QDialog>

namespace radio {

namespace {
ModalHandler g_modalHandler;
}  // namespace

int RunModal(QDialog& dialog)
{
    if (g_modalHandler) {
        // The dialog's own accept() or reject() runs, as its buttons would run it, so
        // that it takes over its controls exactly as in real use.
        if (g_modalHandler(dialog) == QDialog::Accepted) {
            dialog.accept();
        } else {
            dialog.reject();
        }
        return dialog.result();
    }
    // Modal to the main window only: the help window stays usable beside it.
    if (dialog.parentWidget() && dialog.windowModality() == Qt::NonModal) {
        dialog.setWindowModality(Qt::WindowModal);
    }
    return dialog.exec();
}

void SetModalHandler(ModalHandler handler)
{
    g_modalHandler = std::move(handler);
}

}  // namespace radio
