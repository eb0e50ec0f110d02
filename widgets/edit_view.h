// The editing views (channels, optional features, key settings, scan settings) all
// offer the same three operations to the main frame: fill the controls from the
// record, store the controls into the record, and take the language texts afresh.
#pragma once

#include <QString>
#include <QWidget>

#include "config/text_of.h"
#include "data/radio_data.h"

namespace radio {

class CEditView : public QWidget {
    Q_OBJECT
public:
    CEditView(RadioData* data, QWidget* parent = nullptr) : QWidget(parent), m_data(data) {}

    virtual void LoadFromRecord() = 0;  // record -> controls
    virtual void StoreToRecord() = 0;   // controls -> record (commits a pending edit)
    virtual void RefreshTexts() = 0;    // re-apply the language texts, then reload
    // The caption of the child window that holds the view.
    virtual QString ViewTitle() const = 0;
    // Erases every channel after the band changed; only the channel table has any.
    virtual void ClearAllChannels() {}

    RadioData* Data() const { return m_data; }
    QString Text(int n) const { return UiText(*m_data, n); }

signals:
    // The child window's caption should change (the channel table follows its row).
    void titleChanged(const QString& title);
    // The view asks its child window to close (hide), as its Close button does.
    void closeRequested();

protected:
    RadioData* m_data;
};

}  // namespace radio
