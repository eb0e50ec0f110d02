#include "shell/about_dlg.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/text_of.h"

namespace radio {

CAboutDlg::CAboutDlg(const RadioData& data, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(UiText(data, text::AboutTitle));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/radioprog.png")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    constexpr std::array<int, kLineCount> kLineTexts = {
        text::ProgramName, text::ProgramVersion,     text::Copyright,
        text::ProductName, text::ProductDescription, text::SupportedRadios};
    for (int i = 0; i < kLineCount; ++i) {
        auto* line = new QLabel(UiText(data, kLineTexts[std::size_t(i)]), this);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        line->setVisible(i != kHiddenLine);
        lines->addWidget(line);
        m_lines[std::size_t(i)] = line;
    }
    lines->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(lines, 1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(UiText(data, text::Ok), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rule);
    layout->addWidget(buttons);
}

}  // namespace radio
