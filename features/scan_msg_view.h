// CScanMsgView: the scan settings, block 0x0160 bytes 0-8. Each field reaches the
// record as soon as the user leaves it (focus to another field, a spin arrow, a
// list choice, Enter); StoreToRecord commits the field being edited. Loading and
// choosing a mode may rewrite bytes 1 (channel) and 4 (combination) so that they
// agree with the mode.
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
    enum class Field { None, Mode, Channel, TimeA, TimeB, Combination, ValueC, ValueD };

    explicit CScanMsgView(RadioData* data, QWidget* parent = nullptr);
    ~CScanMsgView() override;

    void LoadFromRecord() override;
    bool StoreToRecord() override;
    void RefreshTexts() override;
    QString ViewTitle() const override;

    // Takes the controls (with their checks) and writes that one field.
    bool CommitField(Field field);
    // The field's value into block 0x0160's bytes.
    void StoreField(Field field, std::array<std::uint8_t, kBlockDataSize>& d);

    struct Fields {
        int mode = 0;         // list index, -1 = none
        int combination = 0;  // list index, -1 = none
        double timeA = 3.0;   // seconds
        double timeB = 3.0;
        unsigned valueC = 0;
        unsigned valueD = 0;
        QString channelText;
    };
    const Fields& CurrentFields() const { return m_fields; }
    // The field the focus went to last, committed when the focus moves on.
    Field RememberedField() const { return m_remembered; }

    // The controls the printout lists, in the form's order.
    QList<const QWidget*> SummaryControls() const;

    // Channel n (1..32) is in use when the first two bytes of its record are BCD
    // digits, whatever the model.
    static bool ChannelInUse(const RadioData& data, int n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyTexts();
    void ApplyModeRules();
    void OnChannelEdited();
    void CommitChannel();
    void ChannelTextFromRecord();
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
