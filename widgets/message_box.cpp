#include "widgets/message_box.h"

#include <QAbstractButton>
#include <QApplication>

namespace radio {

namespace {
BoxHandler g_boxHandler;
std::function<void()> g_beepHandler;

// Qt's own texts for Save and Discard carry no access key, so at the keyboard the
// unsaved-changes question could only be answered with Tab. Each gets its letter:
// underlined where the text holds it, added as "(&S)" where it does not (Chinese).
void GiveAccessKey(QMessageBox& box, QMessageBox::StandardButton which, QChar key)
{
    QAbstractButton* button = box.button(which);
    if (!button || button->text().contains(u'&')) {
        return;
    }
    const QString text = button->text();
    const int at = text.indexOf(key, 0, Qt::CaseInsensitive);
    button->setText(at >= 0 ? text.left(at) + u'&' + text.mid(at)
                            : text + QStringLiteral("(&%1)").arg(key));
}
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
    GiveAccessKey(box, QMessageBox::Save, u'S');
    GiveAccessKey(box, QMessageBox::Discard, u'D');
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
