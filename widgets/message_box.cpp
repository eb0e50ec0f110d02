#include "widgets/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

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
// A short message makes a narrow box, and the window manager then cuts its title
// ("…"). The box is made wide enough for the title beside the frame's buttons (room
// for the icon and three buttons of a usual title bar), within the screen.
void MakeRoomForTitle(QMessageBox& box)
{
    constexpr int kTitleBarButtons = 160;
    QFont bold = box.font();
    bold.setBold(true);
    int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    if (const QScreen* screen = box.screen()) {
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    }
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid != nullptr) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
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
    MakeRoomForTitle(box);
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
