#include "shell/model_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/text_of.h"

namespace radio {

namespace {
const QString kModelName = QStringLiteral("Q71/Q72");
}  // namespace

QString BandText(int index)
{
    const Band& band = kBands[std::size_t(std::clamp(index, 0, kBandCount - 1))];
    return QStringLiteral("%1-%2MHZ").arg(band.lower).arg(band.upper);
}

CModelDlg::CModelDlg(const RadioData& data, QWidget* parent)
    : QDialog(parent),
      m_modelList(new QComboBox(this)),
      m_bandList(new QComboBox(this)),
      m_model(data.model)
{
    setWindowTitle(UiText(data, text::MenuModelAndBand));
    setObjectName(QStringLiteral("modelDialog"));
    m_modelList->setObjectName(QStringLiteral("modelList"));
    m_bandList->setObjectName(QStringLiteral("bandList"));

    auto* form = new QFormLayout;
    auto* modelLabel = new QLabel(UiText(data, text::ModelLabel), this);
    auto* bandLabel = new QLabel(UiText(data, text::BandLabel), this);
    modelLabel->setBuddy(m_modelList);
    bandLabel->setBuddy(m_bandList);
    form->addRow(modelLabel, m_modelList);
    form->addRow(bandLabel, m_bandList);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(UiText(data, text::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(UiText(data, text::Cancel), QDialogButtonBox::RejectRole);
    QPushButton* help =
        buttons->addButton(UiText(data, text::HelpMenu), QDialogButtonBox::HelpRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CModelDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CModelDlg::reject);
    connect(help, &QPushButton::clicked, this, &CModelDlg::helpRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    m_modelList->addItem(kModelName);
    for (int i = 0; i < kBandCount; ++i) {
        m_bandList->addItem(BandText(i));
    }
    // The model value is the 1-based position in the list; 0 selects nothing.
    const int model = data.model;
    m_modelList->setCurrentIndex(model >= 1 && model <= m_modelList->count() ? model - 1 : -1);
    m_chosenBand = CurrentBandIndex(data);
    m_bandList->setCurrentIndex(m_chosenBand);

    connect(m_modelList, &QComboBox::currentIndexChanged, this, &CModelDlg::OnModelChanged);
}

void CModelDlg::OnModelChanged(int index)
{
    if (index >= 0) {
        m_model = index + 1;
    }
}

void CModelDlg::accept()
{
    m_chosenBand = m_bandList->currentIndex();
    QDialog::accept();
}

}  // namespace radio
