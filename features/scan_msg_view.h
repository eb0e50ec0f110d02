// CScanMsgView: the scan settings, block 0x0160 bytes 0-8. Each field reaches the
// record as soon as the user leaves it (focus to another field, a spin arrow, a
// list choice, Enter); StoreToRecord commits the field being edited. The view shows
// the record by the scan rules (data/scan_rules.h) and never writes when it loads;
// a change it makes also brings bytes 1 (channel) and 4 (transmit on) to what it
// shows, so that the radio gets what the screen shows.
#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <optional>

#include "features/field_exchange.h"
#include "features/spin_step.h"
#include "widgets/edit_view.h"

namespace Ui {
class ScanMsgForm;
}

namespace radio {

class CScanMsgView : public CEditView {
    Q_OBJECT
public:
    enum class Field {
        None,
        Mode,
        Channel,
        CheckInterval,
        HoldTime,
        TransmitOn,
        ResumeTime,
        CarrierHold
    };

    explicit CScanMsgView(RadioDocument* document, QWidget* parent = nullptr);
    ~CScanMsgView() override;

    void LoadFromRecord() override;
    bool StoreToRecord() override;
    void RefreshTexts() override;
    QString ViewTitle() const override;

    // Takes the controls (with their checks) and writes that one field. A spin
    // arrow's commit merges with the arrow steps on the same field before it.
    bool CommitField(Field field, bool byArrow = false);

    struct Fields {
        int mode = 0;                // list index, -1 = none
        int transmitOn = 0;          // list index, -1 = none
        double checkInterval = 3.0;  // seconds
        double holdTime = 3.0;
        unsigned resumeTime = 0;
        unsigned carrierHold = 0;
        QString channelText;
    };
    const Fields& CurrentFields() const { return m_fields; }
    // The field the focus went to last, committed when the focus moves on.
    Field RememberedField() const { return m_remembered; }

    // The controls the printout lists, in the form's order.
    QList<const QWidget*> SummaryControls() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyTexts();
    // The controls that follow the mode (enabled states, the transmit-on list), the
    // channel text and the transmit-on choice, as the record shows them.
    void ShowModeRules();
    // The field's value into block 0x0160's bytes.
    void StoreField(Field field, std::array<std::uint8_t, kBlockDataSize>& d) const;
    // "Check interval set to 3.5", in the language in use when it is asked.
    RadioDocument::StepNamer FieldStepName(Field field) const;
    void OnChannelEdited();
    bool CommitRemembered();
    void Spin(Field field, SpinDirection direction);
    // The number a channel text holds (digits only, at most two), else -1.
    static int ChannelNumber(const QString& text);
    static bool AllDigits(const QString& text);
    // The channel a text names when that channel may be chosen (one of the radio's
    // channels, in use), else 0.
    int AcceptedChannel(const QString& text) const;
    // Why the channel field cannot take this text; empty when it can.
    QString ChannelRefusal(const QString& text) const;
    QWidget* ControlOf(Field field) const;
    Field FieldOf(const QObject* control) const;

    std::unique_ptr<Ui::ScanMsgForm> m_ui;
    Fields m_fields;
    FieldExchange m_exchange;
    Field m_remembered = Field::None;
    // Set while a commit runs: the focus moves it makes (to a field that failed its
    // check) are not the user leaving a field.
    bool m_committing = false;
    // The channel byte before the channel typed now began: what the record holds
    // while the text names no channel that may be chosen.
    std::optional<std::uint8_t> m_channelBeforeEdit;
};

}  // namespace radio
