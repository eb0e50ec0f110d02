// The model and band dialog. It works on values of its own, taken from the record when
// it opens: what the user chooses is taken by the caller after OK, and Cancel leaves
// the record as it was.
#pragma once

#include <QDialog>
#include <array>

#include "data/band_change.h"
#include "data/bands.h"
#include "data/radio_data.h"

class QComboBox;
class QPushButton;

namespace radio {

// "136-174MHZ"
QString BandText(int index);

class CModelDlg : public QDialog {
    Q_OBJECT
public:
    explicit CModelDlg(const RadioData& data, QWidget* parent = nullptr);

    // The band list's selection (0..5) after OK.
    int ChosenBandIndex() const { return m_chosenBand; }
    // The model value chosen in the list (the record's while nothing was chosen).
    int ChosenModel() const { return m_model; }

    QComboBox* ModelList() const { return m_modelList; }
    QComboBox* BandList() const { return m_bandList; }

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    void OnModelChanged(int index);

    QComboBox* m_modelList;
    QComboBox* m_bandList;
    int m_chosenBand = -1;
    int m_model;
};

}  // namespace radio
