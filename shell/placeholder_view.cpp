#include "shell/placeholder_view.h"

#include <QLabel>
#include <QVBoxLayout>

namespace radio {

PlaceholderView::PlaceholderView(ViewKind kind, RadioDocument* document, QWidget* parent)
    : CEditView(document, parent), m_kind(kind), m_label(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setEnabled(false);
    layout->addWidget(m_label);
    m_label->setText(ViewTitle());
}

void PlaceholderView::RefreshTexts()
{
    m_label->setText(ViewTitle());
    emit titleChanged(ViewTitle());
    LoadFromRecord();
}

QString PlaceholderView::ViewTitle() const
{
    const QString name = Text(ViewNameText(m_kind));
    // The channel table names the channel of its current row; it starts on the first.
    return m_kind == ViewKind::Channels ? name + QStringLiteral("- 1") : name;
}

}  // namespace radio
