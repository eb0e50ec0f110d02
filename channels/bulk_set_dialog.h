// Set for selected channels: one drop list per channel setting that a dealer sets on
// many channels at once (both tones, bandwidth, power, scan add, busy lock). Each
// list starts on "(unchanged)"; what is chosen elsewhere goes into the settings. The
// dialog only asks; the table sets.
#pragma once

#include <QDialog>
#include <array>

#include "data/channel_rows.h"
#include "data/radio_data.h"

class QComboBox;
class QPushButton;

namespace radio {

class BulkSetDialog : public QDialog {
    Q_OBJECT
public:
    // OK is refused while every list is on "(unchanged)": there is nothing to set.
    explicit BulkSetDialog(const RadioData& data, QWidget* parent = nullptr);

    // The choices; a list on "(unchanged)" leaves its field empty.
    BulkSettings Settings() const;
    // The list of a table column, column::RxTone .. column::BusyLock; null for others.
    QComboBox* List(int column) const;
    QPushButton* OkButton() const { return m_ok; }

private:
    static constexpr int kLists = 6;
    std::array<QComboBox*, kLists> m_lists{};
    QString m_offText;
    QPushButton* m_ok = nullptr;
};

}  // namespace radio
