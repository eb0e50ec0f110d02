// The model and band dialog. Choosing a model in the list takes effect at once (even
// if the dialog is then cancelled); the band is taken by the caller after OK.
#pragma once

#include <QDialog>
#include <array>

#include "data/bands.h"
#include "data/radio_data.h"

class QComboBox;
class QPushButton;

namespace radio {

// "136-174MHZ"
QString BandText(int index);
// The first band whose lower limit is the record's; 0 when none is.
int CurrentBandIndex(const RadioData& data);
// Copies the limits of band `index` (0..5) into the record.
void ApplyBand(RadioData& data, int index);

class CModelDlg : public QDialog {
    Q_OBJECT
public:
    CModelDlg(RadioData* data, QWidget* parent = nullptr);

    // The band list's selection (0..5) after OK.
    int ChosenBandIndex() const { return m_chosenBand; }

    QComboBox* ModelList() const { return m_modelList; }
    QComboBox* BandList() const { return m_bandList; }

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    void OnModelChanged(int index);

    RadioData* m_data;
    QComboBox* m_modelList;
    QComboBox* m_bandList;
    int m_chosenBand = -1;
};

}  // namespace radio
