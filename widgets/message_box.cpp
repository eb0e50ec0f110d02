#include "widgets/message_box.h"

#include <QApplication>

namespace radio {

namespace {
BoxHandler g_boxHandler;
std::function<void()> g_beepHandler;
}  // namespace

QMessageBox::StandardButton ShowBox(QWidget* parent, const BoxRequest& request)
{
    if (g_boxHandler) {
        return g_boxHandler(parent, request);
    }
    QMessageBox box(request.icon, request.caption, request.text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(request.defaultButton);
    }
    return QMessageBox::StandardButton(box.exec());
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

void Beep()
{
    if (g_beepHandler) {
        g_beepHandler();
    } else {
        QApplication::beep();
    }
}

void SetBoxHandler(BoxHandler handler)
{
    g_boxHandler = std::move(handler);
}

void SetBeepHandler(std::function<void()> handler)
{
    g_beepHandler = std::move(handler);
}

}  // namespace radio
