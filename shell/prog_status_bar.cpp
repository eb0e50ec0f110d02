#include "shell/prog_status_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace radio {

CProgStatusBar::CProgStatusBar(QWidget* parent)
    : QStatusBar(parent),
      m_pane(new QLabel(this)),
      m_pass(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_note(new QLabel(this)),
      m_port(new QLabel(this))
{
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->hide();
    m_pass->hide();
    m_note->hide();
    // The pane and the bar share the first pane: one of them is shown at a time.
    addWidget(m_pane, 1);
    addWidget(m_pass);
    addWidget(m_progress, 1);
    addPermanentWidget(m_note);
    addPermanentWidget(m_port);
}

void CProgStatusBar::SetPassText(const QString& text)
{
    m_pass->setText(text);
    m_progress->setAccessibleName(text);  // a screen reader says what the value is of
    m_pass->setVisible(!text.isEmpty() && !m_progress->isHidden());
}

void CProgStatusBar::SetNote(const QString& text)
{
    m_note->setText(text);
    m_note->setToolTip(text);
    m_note->setVisible(!text.isEmpty());
}

void CProgStatusBar::SetPort(const QString& name, const QString& device)
{
    const bool sameName = device.isEmpty() || device == name;
    m_port->setText(sameName ? name : QStringLiteral("%1 (%2)").arg(name, device));
}

void CProgStatusBar::SetReadyText(const QString& text)
{
    m_ready = text;
    if (m_progress->isHidden()) {
        m_pane->setText(text);
    }
}

void CProgStatusBar::SetProgress(int value)
{
    const bool show = value != 0;
    if (show != !m_progress->isHidden()) {
        clearMessage();
        m_progress->setVisible(show);
        m_pane->setVisible(!show);
        m_pane->setText(show ? QString() : m_ready);
        m_pass->clear();
        m_pass->hide();
    }
    // The transfer's counter passes 100 before its final 100 (one step per block);
    // the bar stays full meanwhile.
    m_progress->setValue(std::clamp(value, 0, 100));
}

bool CProgStatusBar::ProgressVisible() const
{
    return !m_progress->isHidden();
}

int CProgStatusBar::ProgressValue() const
{
    return m_progress->value();
}

QString CProgStatusBar::PaneText() const
{
    return m_pane->text();
}

QString CProgStatusBar::PassText() const
{
    return m_pass->isHidden() ? QString() : m_pass->text();
}

QString CProgStatusBar::PortText() const
{
    return m_port->text();
}

QString CProgStatusBar::Note() const
{
    return m_note->isHidden() ? QString() : m_note->text();
}

}  // namespace radio
