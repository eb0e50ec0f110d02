// Fill frequencies: the step in which the selected channels below the current one
// take frequencies, counting on from the current channel's receive frequency. The
// dialog only asks; the table does the filling.
#pragma once

#include <QDialog>
#include <cstdint>

#include "data/radio_data.h"

class QComboBox;

namespace radio {

class FillDialog : public QDialog {
    Q_OBJECT
public:
    // `channel` is the current channel's number as the table's title counts it (1..N),
    // `frequency` its receive frequency as the table shows it. `lastStep` (10 Hz
    // units) is preselected when it is one of the steps offered; otherwise 12.5 kHz.
    FillDialog(const RadioData& data, int channel, const QString& frequency, std::uint32_t lastStep,
               QWidget* parent = nullptr);

    // The chosen step in 10 Hz units (12.5 kHz = 1250).
    std::uint32_t Step() const;
    QComboBox* StepList() const { return m_steps; }

private:
    QComboBox* m_steps;
};

}  // namespace radio
