#include "channels/fill_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "channels/small_dialog.h"
#include "config/text_of.h"

namespace radio {

namespace {

// The steps offered, in 10 Hz units: the rasters the radios' bands use.
constexpr std::uint32_t kSteps[] = {500, 625, 1000, 1250, 2000, 2500, 5000, 10000};
constexpr std::uint32_t kDefaultStep = 1250;

// "12.5 kHz", "6.25 kHz", "100 kHz": no trailing zeros, always a decimal point.
QString StepText(std::uint32_t step)
{
    QString number = QString::number(step / 100);
    if (const std::uint32_t hundredths = step % 100; hundredths != 0) {
        number += QLatin1Char('.') + QStringLiteral("%1").arg(hundredths, 2, 10, QLatin1Char('0'));
        while (number.endsWith(QLatin1Char('0'))) {
            number.chop(1);
        }
    }
    return number + QStringLiteral(" kHz");
}

}  // namespace

FillDialog::FillDialog(const RadioData& data, int channel, const QString& frequency,
                       std::uint32_t lastStep, QWidget* parent)
    : QDialog(parent), m_steps(new QComboBox(this))
{
    setObjectName(QStringLiteral("fillDialog"));
    setWindowTitle(PlainCaption(UiText(data, text::MenuFillFrequencies)));

    auto* from = new QLabel(
        UiText(data, text::FillFromChannel).arg(QString::number(channel), frequency), this);
    auto* stepLabel = new QLabel(UiText(data, text::FillStep), this);
    stepLabel->setBuddy(m_steps);
    m_steps->setObjectName(QStringLiteral("fillStep"));
    for (const std::uint32_t step : kSteps) {
        m_steps->addItem(StepText(step), step);
    }
    int chosen = m_steps->findData(lastStep);
    if (chosen < 0) {
        chosen = m_steps->findData(kDefaultStep);
    }
    m_steps->setCurrentIndex(chosen);

    auto* form = new QFormLayout;
    form->addRow(stepLabel, m_steps);

    QDialogButtonBox* buttons = OkCancelButtons(*this, data);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(from);
    layout->addLayout(form);
    layout->addWidget(buttons);
    OpenWideEnoughForTitle(*this);
    m_steps->setFocus();
}

std::uint32_t FillDialog::Step() const
{
    return m_steps->currentData().toUInt();
}

}  // namespace radio
