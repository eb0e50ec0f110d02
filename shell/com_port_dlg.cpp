#include "shell/com_port_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>

#include "config/text_of.h"

namespace radio {

namespace {
// Bits outside the 16-bit mask count as not set.
bool MaskBit(quint16 mask, int bit)
{
    return bit >= 0 && bit < 16 && (mask >> bit) & 1;
}

// Two buttons to a row: a device name of a cable's serial number or a long folder
// still leaves the dialog well inside a small screen.
constexpr int kButtonsPerRow = 2;
// Device names wider than this are shortened in the middle; the whole name is the
// button's tool tip.
constexpr int kDeviceWidth = 340;
}  // namespace

int CComPortDlg::InitialChoice(quint16 mask, int chosenIndex)
{
    if (MaskBit(mask, chosenIndex + 1)) {
        return chosenIndex >= 0 && chosenIndex < kComButtonCount ? chosenIndex : -1;
    }
    for (int n = 1; n <= kComButtonCount; ++n) {
        if (MaskBit(mask, n)) {
            return n - 1;
        }
    }
    return -1;
}

CComPortDlg::CComPortDlg(const RadioData& data, quint16 mask, int chosenIndex,
                         const std::array<QString, kComButtonCount>& devices, QWidget* parent)
    : QDialog(parent),
      m_devices(devices),
      m_group(new QButtonGroup(this)),
      m_adapterList(new QLabel(this)),
      m_noAdapterText(UiText(data, text::PortNoAdapter))
{
    setObjectName(QStringLiteral("comPortDialog"));
    setWindowTitle(UiText(data, text::ComPortTitle));
    auto* box = new QGroupBox(UiText(data, text::ComPortTitle), this);
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < kComButtonCount; ++i) {
        const QString device = devices[std::size_t(i)];
        const QString name = QStringLiteral("COM%1").arg(i + 1);
        auto* button = new QRadioButton(box);
        const QString shown = ShownDevice(i);
        button->setText(device.isEmpty() ? name : name + QStringLiteral(" (%1)").arg(shown));
        if (shown != device) {
            button->setToolTip(device);
        }
        button->setEnabled(MaskBit(mask, i + 1));
        m_group->addButton(button, i);
        grid->addWidget(button, i / kButtonsPerRow, i % kButtonsPerRow);
        m_buttons[std::size_t(i)] = button;
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(UiText(data, text::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(UiText(data, text::Cancel), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_adapterList->setObjectName(QStringLiteral("adapterList"));
    m_adapterList->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_adapterList->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(m_adapterList);
    layout->addWidget(buttons);

    Check(InitialChoice(mask, chosenIndex));
}

void CComPortDlg::SetAdapters(const std::array<QString, kComButtonCount>& adapters)
{
    QStringList lines;
    for (int i = 0; i < kComButtonCount; ++i) {
        const QString& device = m_devices[std::size_t(i)];
        const QString& adapter = adapters[std::size_t(i)];
        // A port that did not open and of which nothing is known says nothing here.
        if (device.isEmpty() || (adapter.isEmpty() && !m_buttons[std::size_t(i)]->isEnabled())) {
            continue;
        }
        const QString about = adapter.isEmpty() ? m_noAdapterText : adapter;
        const QString shown = ShownDevice(i);
        m_buttons[std::size_t(i)]->setToolTip(shown == device ? about : device + u'\n' + about);
        lines << QStringLiteral("COM%1: %2 \u2013 %3").arg(i + 1).arg(shown, about);
    }
    m_adapterList->setText(lines.join(QLatin1Char('\n')));
    m_adapterList->setVisible(!lines.isEmpty());
}

QString CComPortDlg::ShownDevice(int index) const
{
    return fontMetrics().elidedText(m_devices[std::size_t(index)], Qt::ElideMiddle, kDeviceWidth);
}

void CComPortDlg::Check(int index)
{
    if (index >= 0 && index < kComButtonCount) {
        m_buttons[std::size_t(index)]->setChecked(true);
        m_buttons[std::size_t(index)]->setFocus();
        return;
    }
    m_group->setExclusive(false);
    for (QRadioButton* button : m_buttons) {
        button->setChecked(false);
    }
    m_group->setExclusive(true);
}

int CComPortDlg::ChosenIndex() const
{
    return m_group->checkedId();
}

}  // namespace radio
