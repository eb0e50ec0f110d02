// Help > Help topics and About, and the help pages other commands open (a dialog's
// Help button).
#pragma once

#include <QObject>
#include <memory>

#include "config/program_file_locator.h"
#include "widgets/radio_document.h"

namespace radio {

class CHelpViewer;
class CRadioProgApp;
class ViewManager;

class HelpCommands : public QObject {
    Q_OBJECT
public:
    // `app` says the interface language (null: English pages).
    HelpCommands(const RadioDocument& document, ViewManager& views, const CRadioProgApp* app,
                 ProgramFileLocator locate, QObject* parent);
    ~HelpCommands() override;

    void HelpTopics();
    void About();
    // F1: the part of the help on the active view, or the index when none is active.
    void HelpForActiveView();
    // Opens a page of the help (a path below the program's folder, such as
    // "helptopics1/index.htm"), at the anchor `part` when one is given; a missing page
    // is reported.
    void ShowHelp(const QString& page, const QString& part = QString());

    CHelpViewer* HelpViewer() const { return m_help.get(); }

private:
    QString HelpPagePath(const QString& page) const;

    const RadioDocument& m_document;
    ViewManager& m_views;
    const CRadioProgApp* m_app;
    ProgramFileLocator m_locate;
    // A window of its own, so that it stays usable beside a dialog that asked for it.
    std::unique_ptr<CHelpViewer> m_help;
};

}  // namespace radio
