#include "shell/language_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/text_of.h"

namespace radio {

CLanguageDlg::CLanguageDlg(const RadioData& data, const LanguageNames& names, int chosenIndex,
                           QWidget* parent)
    : QDialog(parent), m_list(new QComboBox(this))
{
    setObjectName(QStringLiteral("languageDialog"));
    setWindowTitle(UiText(data, text::LanguageTitle));
    m_list->setObjectName(QStringLiteral("languageList"));
    auto* box = new QGroupBox(UiText(data, text::LanguageTitle), this);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_list);

    // The names up to the first empty one.
    for (const std::string& name : names.names) {
        if (name.empty()) {
            break;
        }
        m_list->addItem(QString::fromStdString(name));
    }
    m_list->setCurrentIndex(chosenIndex >= 0 && chosenIndex < m_list->count() ? chosenIndex : -1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(UiText(data, text::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(UiText(data, text::Cancel), QDialogButtonBox::RejectRole);
    QPushButton* help =
        buttons->addButton(UiText(data, text::HelpMenu), QDialogButtonBox::HelpRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CLanguageDlg::helpRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(buttons);
    m_list->setFocus();
}

int CLanguageDlg::ChosenIndex() const
{
    return m_list->currentIndex();
}

}  // namespace radio
