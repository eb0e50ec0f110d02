// The help window: the HTML pages in "helptopics1/" beside the program, shown in a
// small browser window. Links between the pages work; links to the web open in the
// desktop's browser.
#pragma once

#include <QWidget>

#include "config/program_file_locator.h"

class QTextBrowser;

namespace radio {

// The pages the program opens.
namespace help {
constexpr const char* kIndex = "helptopics1/index.htm";
constexpr const char* kLanguage = "helptopics1/html/language.htm";
// The page on editing, with a part per view (F1 in a view opens its part).
constexpr const char* kEditing = "helptopics1/html/edit.htm";
}  // namespace help

class CHelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit CHelpViewer(QWidget* parent = nullptr);

    // Shows `path` (an existing file), at the anchor `part` when one is given, and
    // brings the window to the front.
    void ShowPage(const QString& path, const QString& part = QString());
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
    bool m_placed = false;
};

}  // namespace radio
