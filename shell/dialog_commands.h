// The commands that run a dialog: model and band, COM port, language, About, the
// help pages, and writing to several radios.
#pragma once

#include <QObject>
#include <memory>

#include "data/radio_data.h"

namespace radio {

class CHelpViewer;
class CMainFrame;

class DialogCommands : public QObject {
    Q_OBJECT
public:
    explicit DialogCommands(CMainFrame* frame);
    ~DialogCommands() override;

    void ModelInfo();
    void ComPort();
    // Programming > Write to several radios; the record is only read.
    void WriteSeveral();
    void Language();
    void About();
    void HelpTopics();
    // Opens a page of the help (a path below the program's folder, such as
    // "helptopics1/index.htm"); a missing page is reported.
    void ShowHelp(const QString& page);

    CHelpViewer* HelpViewer() const { return m_help.get(); }

private:
    QString HelpPagePath(const QString& page) const;

    CMainFrame* m_frame;
    // A window of its own, so that it stays usable beside a dialog that asked for it.
    std::unique_ptr<CHelpViewer> m_help;
};

}  // namespace radio
