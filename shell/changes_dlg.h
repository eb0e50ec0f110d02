// The differences between two records in a window of their own: grouped as the views
// are (channels, optional features, keys, scan, radio, bytes no view shows), searchable,
// and copied as the same lines radioprog-cli diff prints. Before a write it asks Write
// or Cancel, Cancel the default; for a comparison it only shows.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "data/radio_data.h"
#include "data/record_diff.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace radio {

class ChangesDlg : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { Compare, BeforeWrite };

    ChangesDlg(const RadioData& data, const std::vector<Difference>& differences,
               const QString& title, const QString& heading, Purpose purpose,
               QWidget* parent = nullptr);

    // Every line, as radioprog-cli diff prints them.
    const QStringList& Lines() const { return m_lines; }
    // The lines the search leaves shown, in order.
    QStringList ShownLines() const;
    QLineEdit* Search() const { return m_search; }
    QTreeWidget* Tree() const { return m_tree; }
    QLabel* Heading() const { return m_heading; }
    // Puts the lines shown on the clipboard.
    void CopyShown();

private:
    void Filter(const QString& text);

    QStringList m_lines;
    QLabel* m_heading;
    QLineEdit* m_search;
    QTreeWidget* m_tree;
};

}  // namespace radio
