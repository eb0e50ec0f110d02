// What the small dialogs of the channel table share: OK and Cancel in the program's
// texts, and a size as wide as their contents need and at least as wide as their title, so that the
// window manager does not cut the title short. The title bar's font and buttons are the window
// manager's; a bold version of the dialog's font and room for three title buttons on each side come
// near enough.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "config/text_of.h"

namespace radio {

// OK (the default button) and Cancel, wired to accept and reject.
inline QDialogButtonBox* OkCancelButtons(QDialog& dialog, const RadioData& data,
                                         QPushButton** ok = nullptr)
{
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* accept = buttons->addButton(UiText(data, text::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(UiText(data, text::Cancel), QDialogButtonBox::RejectRole);
    accept->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (ok != nullptr) {
        *ok = accept;
    }
    return buttons;
}

inline void OpenWideEnoughForTitle(QDialog& dialog)
{
    QFont bold = dialog.font();
    bold.setBold(true);
    // The title stands centred, between the icon on one side and three buttons on
    // the other, and window managers' title fonts run a little larger.
    const int side = 3 * dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int title =
        QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) * 11 / 10 + 2 * side;
    const QSize hint = dialog.sizeHint();
    dialog.resize(std::max(hint.width(), title), hint.height());
}

}  // namespace radio
