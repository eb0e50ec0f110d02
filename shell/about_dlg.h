// The About box: the program's icon and the lines from the program's name to the
// radios it serves, of which the fourth (the product name) stays hidden.
#pragma once

#include <QDialog>
#include <array>

#include "data/radio_data.h"

class QLabel;

namespace radio {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const RadioData& data, QWidget* parent = nullptr);

    static constexpr int kLineCount = 6;
    static constexpr int kHiddenLine = 3;  // the product name
    QLabel* Line(int i) const { return m_lines[std::size_t(i)]; }

private:
    std::array<QLabel*, kLineCount> m_lines{};
};

}  // namespace radio
