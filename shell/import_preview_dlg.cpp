#include "shell/import_preview_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/channel_plan_texts.h"
#include "config/text_of.h"

namespace radio {

ImportPreviewDlg::ImportPreviewDlg(const RadioData& data, const ChannelPlan& plan,
                                   const QString& fileName, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("importPreviewDialog"));
    setWindowTitle(UiText(data, text::ImportPreviewTitle));

    m_summary = new QLabel(
        UiText(data, text::ImportSummary).arg(QString::number(plan.ChannelsToImport()), fileName),
        this);
    m_summary->setWordWrap(true);

    auto* refusedHeading = new QLabel(
        UiText(data, text::ImportRefusedRows).arg(QString::number(plan.refused.size())), this);
    refusedHeading->setWordWrap(true);
    m_refused = new QListWidget(this);
    for (const RefusedRow& row : plan.refused) {
        m_refused->addItem(UiText(data, text::ImportRowReason)
                               .arg(QString::number(row.row), RefusalText(data.texts, row.fault)));
    }
    refusedHeading->setVisible(!plan.refused.empty());
    m_refused->setVisible(!plan.refused.empty());

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(UiText(data, text::Ok), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(UiText(data, text::Cancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(refusedHeading);
    layout->addWidget(m_refused, 1);
    layout->addWidget(buttons);
    resize(520, plan.refused.empty() ? 120 : 360);
}

}  // namespace radio
