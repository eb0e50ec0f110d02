#include "widgets/modal_dialog.h"

#include <QDialog>

#include "widgets/prompts.h"

namespace radio {

int RunModal(QDialog& dialog)
{
    return PromptsFor(&dialog).Modal(dialog);
}

}  // namespace radio
