#include "channels/find_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "channels/small_dialog.h"
#include "config/text_of.h"

namespace radio {

namespace {
// Room for "435.12500" or "DN023" and then some, before the field is widened by hand.
constexpr int kFieldCharacters = 16;
}  // namespace

FindDialog::FindDialog(const RadioData& data, const QString& last, QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(last, this))
{
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(PlainCaption(UiText(data, text::MenuFind)));

    auto* label = new QLabel(UiText(data, text::FindWhat), this);
    label->setBuddy(m_text);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * kFieldCharacters);
    m_text->selectAll();

    auto* form = new QFormLayout;
    form->addRow(label, m_text);

    QDialogButtonBox* buttons = OkCancelButtons(*this, data, &m_ok);
    m_ok->setEnabled(!Text().isEmpty());
    connect(m_text, &QLineEdit::textChanged, this, [this] { m_ok->setEnabled(!Text().isEmpty()); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    OpenWideEnoughForTitle(*this);
    m_text->setFocus();
}

QString FindDialog::Text() const
{
    return m_text->text().trimmed();
}

}  // namespace radio
