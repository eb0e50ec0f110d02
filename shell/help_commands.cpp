#include "shell/help_commands.h"

#include <QFileInfo>
#include <map>

#include "config/text_of.h"
#include "shell/about_dlg.h"
#include "shell/help_viewer.h"
#include "shell/radio_prog_app.h"
#include "shell/view_manager.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

namespace radio {

HelpCommands::HelpCommands(const RadioDocument& document, ViewManager& views,
                           const CRadioProgApp* app, ProgramFileLocator locate, QObject* parent)
    : QObject(parent), m_document(document), m_views(views), m_app(app), m_locate(std::move(locate))
{
}

HelpCommands::~HelpCommands() = default;

void HelpCommands::About()
{
    CAboutDlg dialog(m_document.Record(), m_views.Window());
    RunModal(dialog);
}

void HelpCommands::HelpTopics()
{
    ShowHelp(QString::fromLatin1(help::kIndex));
}

// The Chinese interface shows the Chinese page ("index_zh.htm" beside "index.htm")
// where there is one.
QString HelpCommands::HelpPagePath(const QString& page) const
{
    if (m_app != nullptr && m_app->ChineseInterface()) {
        const QFileInfo info(page);
        const QString chinese = info.path() + QLatin1Char('/') + info.completeBaseName() +
                                QStringLiteral("_zh.") + info.suffix();
        const QString path = m_locate(chinese);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return m_locate(page);
}

void HelpCommands::HelpForActiveView()
{
    // The anchors of the editing page's parts, by view.
    static const std::map<ViewKind, const char*> kParts = {{ViewKind::Channels, "channels"},
                                                           {ViewKind::Features, "features"},
                                                           {ViewKind::Keys, "keys"},
                                                           {ViewKind::Scan, "scan"}};
    const CEditView* active = m_views.ActiveView();
    for (ViewKind kind : kAllViewKinds) {
        if (active != nullptr && m_views.View(kind) == active) {
            ShowHelp(QString::fromLatin1(help::kEditing), QString::fromLatin1(kParts.at(kind)));
            return;
        }
    }
    HelpTopics();
}

void HelpCommands::ShowHelp(const QString& page, const QString& part)
{
    const QString path = HelpPagePath(page);
    if (!QFileInfo(path).isFile()) {
        const RadioData& data = m_document.Record();
        BoxRequest box;
        box.text = UiText(data, text::HelpMissing).arg(page);
        box.caption = PlainCaption(UiText(data, text::HelpMenu));
        box.icon = QMessageBox::Warning;
        ShowBox(m_views.Window(), box);
        return;
    }
    if (!m_help) {
        m_help = std::make_unique<CHelpViewer>();
    }
    m_help->ShowPage(path, part);
}

}  // namespace radio
