// What an import of a CSV channel plan will do, shown before anything changes: how
// many channels it brings and which rows it refused, and why. OK imports the
// acceptable rows, Cancel changes nothing.
#pragma once

#include <QDialog>

#include "data/channel_plan.h"
#include "data/radio_data.h"

class QLabel;
class QListWidget;

namespace radio {

class ImportPreviewDlg : public QDialog {
    Q_OBJECT
public:
    ImportPreviewDlg(const RadioData& data, const ChannelPlan& plan, const QString& fileName,
                     QWidget* parent = nullptr);

    QLabel* Summary() const { return m_summary; }
    // The refused rows, one line each ("Row 3: ..."); hidden when there are none.
    QListWidget* RefusedRows() const { return m_refused; }

private:
    QLabel* m_summary;
    QListWidget* m_refused;
};

}  // namespace radio
