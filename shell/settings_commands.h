// Settings > COM port and Language: the port the transfers use, and the interface
// language.
#pragma once

#include <QObject>

#include "link/transfer_worker.h"
#include "widgets/radio_document.h"

namespace radio {

class CRadioProgApp;
class HelpCommands;
class ViewManager;

class SettingsCommands : public QObject {
    Q_OBJECT
public:
    // `app` switches the language (null: the command does nothing).
    SettingsCommands(RadioDocument& document, ViewManager& views, CTransferWorker& worker,
                     CRadioProgApp* app, HelpCommands& help, QObject* parent);

    void ComPort();
    void Language();

private:
    RadioDocument& m_document;
    ViewManager& m_views;
    CTransferWorker& m_worker;
    CRadioProgApp* m_app;
    HelpCommands& m_help;
};

}  // namespace radio
