#include "shell/changes_dlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "config/text_of.h"

namespace radio {

namespace {

constexpr int kHeadingWordWidth = 560;  // pixels: a word never makes the window wider

// The group of each area, titled as the view that shows it.
int GroupText(DiffArea area)
{
    switch (area) {
    case DiffArea::Channel: return text::ChannelsView;
    case DiffArea::Features: return text::FeaturesView;
    case DiffArea::Key: return text::KeysView;
    case DiffArea::Scan: return text::ScanView;
    case DiffArea::Radio: return text::AreaRadio;
    case DiffArea::Bytes: return text::AreaBytes;
    }
    return text::AreaBytes;
}

}  // namespace

ChangesDlg::ChangesDlg(const RadioData& data, const std::vector<Difference>& differences,
                       const QString& title, const QString& heading, Purpose purpose,
                       QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("changesDialog"));
    setWindowTitle(title);

    // A long file name has no place to wrap: it is shortened in the middle rather than
    // widen the window past the screen, and the whole heading is its tool tip.
    m_heading = new QLabel(this);
    QStringList lines = heading.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString& word : words) {
            word = m_heading->fontMetrics().elidedText(word, Qt::ElideMiddle, kHeadingWordWidth);
        }
        line = words.join(QLatin1Char(' '));
    }
    m_heading->setText(lines.join(QLatin1Char('\n')));
    m_heading->setWordWrap(true);
    m_heading->setToolTip(heading);

    auto* searchLabel = new QLabel(UiText(data, text::SearchLabel), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("changesSearch"));
    m_search->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_search);
    connect(m_search, &QLineEdit::textChanged, this, &ChangesDlg::Filter);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("changesTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setAccessibleName(title);
    m_tree->setUniformRowHeights(true);
    QTreeWidgetItem* group = nullptr;
    int groupText = -1;
    for (const Difference& d : differences) {
        if (!group || GroupText(d.area) != groupText) {
            groupText = GroupText(d.area);
            group = new QTreeWidgetItem(m_tree, {UiText(data, groupText)});
            group->setExpanded(true);
        }
        m_lines << QString::fromStdString(DifferenceLine(data.texts, d));
        new QTreeWidgetItem(group, {m_lines.back()});
    }
    if (m_tree->topLevelItemCount() > 0 && m_tree->topLevelItem(0)->childCount() > 0) {
        m_tree->setCurrentItem(m_tree->topLevelItem(0)->child(0));
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton(UiText(data, text::CopyButton), QDialogButtonBox::ActionRole);
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &ChangesDlg::CopyShown);
    if (purpose == Purpose::BeforeWrite) {
        QPushButton* write = buttons->addButton(UiText(data, text::WriteButton), QDialogButtonBox::AcceptRole);
        write->setAutoDefault(false);
        QPushButton* cancel = buttons->addButton(UiText(data, text::Cancel), QDialogButtonBox::RejectRole);
        cancel->setDefault(true);  // Enter does not write
        cancel->setFocus();
    } else {
        buttons->addButton(UiText(data, text::Close), QDialogButtonBox::RejectRole)->setDefault(true);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(searchRow);
    layout->addWidget(m_tree, 1);
    layout->addWidget(buttons);
    resize(640, 420);
}

QStringList ChangesDlg::ShownLines() const
{
    QStringList shown;
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = m_tree->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i) {
            if (!group->child(i)->isHidden()) {
                shown << group->child(i)->text(0);
            }
        }
    }
    return shown;
}

void ChangesDlg::CopyShown()
{
    const QStringList shown = ShownLines();
    QApplication::clipboard()->setText(shown.isEmpty() ? QString() : shown.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void ChangesDlg::Filter(const QString& text)
{
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_tree->topLevelItem(g);
        bool any = false;
        for (int i = 0; i < group->childCount(); ++i) {
            const bool match = group->child(i)->text(0).contains(text, Qt::CaseInsensitive);
            group->child(i)->setHidden(!match);
            any = any || match;
        }
        group->setHidden(!any);
    }
}

}  // namespace radio
