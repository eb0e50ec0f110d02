// Model > Model and band: the dialog, and the change of band (which empties the
// channels) and model that it may bring.
#pragma once

#include <QObject>

#include "widgets/radio_document.h"

namespace radio {

class HelpCommands;
class ViewManager;

class ModelCommands : public QObject {
    Q_OBJECT
public:
    ModelCommands(RadioDocument& document, ViewManager& views, HelpCommands& help, QObject* parent);

    void ModelAndBand();

private:
    RadioDocument& m_document;
    ViewManager& m_views;
    HelpCommands& m_help;
};

}  // namespace radio
