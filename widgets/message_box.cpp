#include "widgets/message_box.h"

namespace radio {

QMessageBox::StandardButton ShowBox(QWidget* parent, const BoxRequest& request)
{
    return PromptsFor(parent).Box(parent, request);
}

bool ConfirmWarning(QWidget* parent, const QString& text, const QString& caption)
{
    BoxRequest box;
    box.text = text;
    box.caption = caption;
    box.icon = QMessageBox::Warning;
    box.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    box.defaultButton = QMessageBox::Cancel;
    return ShowBox(parent, box) == QMessageBox::Ok;
}

void Beep(const QObject* from)
{
    PromptsFor(from).Beep();
}

}  // namespace radio
