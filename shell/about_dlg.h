// The About box: the program's icon and the lines of texts #78 to #83, of which the
// fourth (text #81) stays hidden.
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
    static constexpr int kHiddenLine = 3;  // the line of text #81
    QLabel* Line(int i) const { return m_lines[std::size_t(i)]; }

private:
    std::array<QLabel*, kLineCount> m_lines{};
};

}  // namespace radio
