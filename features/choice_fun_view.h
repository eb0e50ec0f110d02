// CChoiceFunView: the optional features of block 0x0120 (TX time-out, levels, switches,
// VOX, the two DTMF codes). Edits stay in the view until StoreToRecord; Close
// stores, then asks the child window to close.
#pragma once

#include <QString>
#include <memory>

#include "features/enter_key_navigation.h"
#include "features/field_exchange.h"
#include "features/spin_step.h"
#include "widgets/edit_view.h"

class QLineEdit;
class QPainter;

namespace Ui {
class ChoiceFunForm;
}

namespace radio {

class CChoiceFunView : public CEditView {
    Q_OBJECT
public:
    explicit CChoiceFunView(RadioDocument* document, QWidget* parent = nullptr);
    ~CChoiceFunView() override;

    void LoadFromRecord() override;
    // Takes the controls and writes every field into block 0x0120. A field whose
    // text fails its check (the user is told) keeps the byte the record holds.
    bool StoreToRecord() override;
    void RefreshTexts() override;
    QString ViewTitle() const override;

    // Takes the controls into the fields (a failed check is told, as everywhere).
    bool TakeControls() { return m_exchange.Take(); }

    // Draws the features summary from line `firstLine` on (line heights and columns
    // in the painter's device units, measured in its current font); returns the
    // line after the left column's switches.
    int PrintSummary(QPainter& painter, int firstLine, int left, int lineHeight);

    // The view's fields, as the controls showed them when last taken. The TX time-out is
    // in seconds (15..600); lists are indexes, -1 = nothing selected; switches 0/1.
    struct Fields {
        unsigned txTimeOut = 120;
        unsigned squelchLevel = 0;
        unsigned volumeLevel = 0;
        unsigned voxLevel = 0;
        int audioResponse = 0;
        int batterySave = 0;
        int sendCode = 0;
        int dtmfCodes = 0;
        int voxDelay = 0;
        int keyBeep = 0;
        int voicePrompt = 0;
        int keyLock = 0;
        int autoKeyLock = 0;
        int voxOn = 0;
        int voxHeadsetOnly = 0;
        int voxInhibitOnReceive = 0;
        int voxBeep = 0;
        int scrambler = 0;
        QString code1;
        QString code2;
    };
    const Fields& CurrentFields() const { return m_fields; }

private:
    // The fields the last Take took, into block 0x0120's bytes.
    void StoreFields(std::array<std::uint8_t, kBlockDataSize>& d) const;
    void ApplyTexts();
    void SetUpExchange();
    void ConnectControls();
    void Step(QLineEdit* edit, unsigned* field, unsigned min, unsigned max, unsigned step,
              SpinDirection direction);
    void FilterCode(QLineEdit* edit, QString* field);
    void EnableAutoKeyLock(bool keyLockOn);
    void EnableVox(bool voxOn);
    void EnableCodes(int dtmfCodes);

    std::unique_ptr<Ui::ChoiceFunForm> m_ui;
    Fields m_fields;
    FieldExchange m_exchange;
};

}  // namespace radio
