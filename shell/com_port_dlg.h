// The COM port dialog: COM1 to COM10 as radio buttons, two to a row, each with the
// device it stands for (a long name shortened in the middle, whole in the tool tip); only the ports
// that opened are enabled. Below them, each device with the USB adapter behind it (description,
// maker, vendor:product id).
#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "data/radio_data.h"

class QButtonGroup;
class QLabel;
class QRadioButton;

namespace radio {

constexpr int kComButtonCount = 10;

class CComPortDlg : public QDialog {
    Q_OBJECT
public:
    // `mask`: bit n set when COMn opened (n = 1..10). `chosenIndex`: the current port
    // number - 1. `devices[n - 1]`: the device COMn stands for, empty when none.
    CComPortDlg(const RadioData& data, quint16 mask, int chosenIndex,
                const std::array<QString, kComButtonCount>& devices, QWidget* parent = nullptr);

    // `adapters[n - 1]`: what is known of the USB adapter behind COMn's device, empty
    // when nothing is. Listed below the buttons, for the ports that opened and those
    // with an adapter, and shown as the buttons' tool tips.
    void SetAdapters(const std::array<QString, kComButtonCount>& adapters);
    QLabel* AdapterList() const { return m_adapterList; }

    // Port number - 1 of the checked button; -1 when none is checked.
    int ChosenIndex() const;
    QRadioButton* Button(int index) const { return m_buttons[std::size_t(index)]; }

    // The button to check for the current index and the mask: the current port when
    // it opened (or when its index is outside COM1..COM10 but its bit is one of the
    // always-set ones), otherwise the lowest port that opened; -1 for none.
    static int InitialChoice(quint16 mask, int chosenIndex);

private:
    void Check(int index);
    // The device of button `index` as the dialog shows it.
    QString ShownDevice(int index) const;

    std::array<QRadioButton*, kComButtonCount> m_buttons{};
    std::array<QString, kComButtonCount> m_devices;
    QButtonGroup* m_group;
    QLabel* m_adapterList;
    QString m_noAdapterText;
};

}  // namespace radio
