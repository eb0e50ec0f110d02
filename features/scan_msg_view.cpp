#include "features/scan_msg_view.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScopedValueRollback>
#include <algorithm>

#include "config/scan_time.h"
#include "data/feature_bytes.h"
#include "data/scan_rules.h"
#include "features/enter_key_navigation.h"
#include "ui_scan_msg_form.h"
#include "widgets/message_box.h"

namespace radio {

namespace b = bytes::scan;

namespace {

constexpr int kChannelTextLength = 2;

bool IsDigit(QChar c, char16_t first, char16_t last)
{
    return c.unicode() >= first && c.unicode() <= last;
}

}  // namespace

CScanMsgView::CScanMsgView(RadioDocument* document, QWidget* parent)
    : CEditView(document, parent), m_ui(std::make_unique<Ui::ScanMsgForm>()), m_exchange(Data())
{
    m_ui->setupUi(this);
    Ui::ScanMsgForm& ui = *m_ui;
    m_exchange.AddChoice(ui.modeList, &m_fields.mode);
    m_exchange.AddChoice(ui.combinationList, &m_fields.transmitOn);
    // The fields with a check, in the order they are checked. A text the field
    // cannot take as typed is refused: a commit never stores a value near it.
    m_exchange.AddNumber(ui.timeAEdit, &m_fields.checkInterval, kScanTimeMin, kScanTimeMax,
                         kScanTimeStep);
    m_exchange.AddNumber(ui.timeBEdit, &m_fields.holdTime, kScanTimeMin, kScanTimeMax,
                         kScanTimeStep);
    m_exchange.AddWholeNumber(ui.valueCEdit, &m_fields.resumeTime, 0, kResumeAndCarrierHoldMax);
    m_exchange.AddWholeNumber(ui.valueDEdit, &m_fields.carrierHold, 0, kResumeAndCarrierHoldMax);
    m_exchange.AddCheckedText(ui.channelEdit, &m_fields.channelText,
                              [this](const QString& text) { return ChannelRefusal(text); });

    for (const Field field : {Field::Mode, Field::Channel, Field::CheckInterval, Field::HoldTime,
                              Field::TransmitOn, Field::ResumeTime, Field::CarrierHold}) {
        ControlOf(field)->installEventFilter(this);
    }
    ui.timeASpin->AttachEdit(ui.timeAEdit);
    ui.timeBSpin->AttachEdit(ui.timeBEdit);
    ui.valueCSpin->AttachEdit(ui.valueCEdit);
    ui.valueDSpin->AttachEdit(ui.valueDEdit);
    connect(ui.timeASpin, &SpinArrows::stepped, this,
            [this](SpinDirection d) { Spin(Field::CheckInterval, d); });
    connect(ui.timeBSpin, &SpinArrows::stepped, this,
            [this](SpinDirection d) { Spin(Field::HoldTime, d); });
    connect(ui.valueCSpin, &SpinArrows::stepped, this,
            [this](SpinDirection d) { Spin(Field::ResumeTime, d); });
    connect(ui.valueDSpin, &SpinArrows::stepped, this,
            [this](SpinDirection d) { Spin(Field::CarrierHold, d); });
    connect(ui.modeList, &QComboBox::activated, this, [this]() {
        CommitField(Field::Mode);
        m_remembered = Field::None;
    });
    connect(ui.combinationList, &QComboBox::activated, this, [this]() {
        CommitField(Field::TransmitOn);
        m_remembered = Field::None;
    });
    connect(ui.channelEdit, &QLineEdit::textEdited, this, &CScanMsgView::OnChannelEdited);
    connect(ui.closeButton, &QPushButton::clicked, this, [this]() {
        if (StoreToRecord()) {
            emit closeRequested();
        }
    });
    new EnterKeyNavigation(this, [this](QWidget* focused) {
        if (!CommitRemembered()) {
            m_remembered = FieldOf(m_exchange.Refused());
            return false;  // the refused field keeps the keyboard
        }
        m_remembered = FieldOf(focused);
        return true;
    });

    setWindowTitle(ViewTitle());
    ApplyTexts();
    LoadFromRecord();
}

CScanMsgView::~CScanMsgView() = default;

QString CScanMsgView::ViewTitle() const
{
    return Text(text::ScanView);
}

QWidget* CScanMsgView::ControlOf(Field field) const
{
    switch (field) {
    case Field::Mode: return m_ui->modeList;
    case Field::Channel: return m_ui->channelEdit;
    case Field::CheckInterval: return m_ui->timeAEdit;
    case Field::HoldTime: return m_ui->timeBEdit;
    case Field::TransmitOn: return m_ui->combinationList;
    case Field::ResumeTime: return m_ui->valueCEdit;
    case Field::CarrierHold: return m_ui->valueDEdit;
    case Field::None: break;
    }
    return nullptr;
}

QList<const QWidget*> CScanMsgView::SummaryControls() const
{
    QList<const QWidget*> controls;
    for (const Field field : {Field::Mode, Field::Channel, Field::CheckInterval, Field::HoldTime,
                              Field::TransmitOn, Field::ResumeTime, Field::CarrierHold}) {
        controls.append(ControlOf(field));
    }
    return controls;
}

CScanMsgView::Field CScanMsgView::FieldOf(const QObject* control) const
{
    for (const Field field : {Field::Mode, Field::Channel, Field::CheckInterval, Field::HoldTime,
                              Field::TransmitOn, Field::ResumeTime, Field::CarrierHold}) {
        if (control && ControlOf(field) == control) {
            return field;
        }
    }
    return Field::None;
}

void CScanMsgView::ApplyTexts()
{
    Ui::ScanMsgForm& ui = *m_ui;
    ui.modeLabel->setText(Text(text::ScanPriority));
    ui.modeList->addItems({Text(text::Off), Text(text::ScanFixed), Text(text::ScanCurrent)});
    ui.channelLabel->setText(Text(text::PriorityChannel));
    ui.timeALabel->setText(Text(text::CheckInterval));
    ui.timeBLabel->setText(Text(text::HoldTime));
    ui.combinationLabel->setText(Text(text::TransmitOn));
    const QString extra = QStringLiteral("+") + Text(text::Talkback);
    ui.combinationList->addItems({Text(text::ScanCurrent), Text(text::ScanCurrent) + extra,
                                  Text(text::ScanPriority), Text(text::ScanPriority) + extra});
    ui.valueCLabel->setText(Text(text::ResumeTime));
    ui.valueDLabel->setText(Text(text::CarrierHold));
    ui.closeButton->setText(Text(text::Close));
}

void CScanMsgView::RefreshTexts()
{
    setWindowTitle(ViewTitle());
    emit titleChanged(ViewTitle());
    m_ui->modeList->clear();
    m_ui->combinationList->clear();
    ApplyTexts();
    LoadFromRecord();
}

void CScanMsgView::LoadFromRecord()
{
    const ScanSettings shown = ShownScanSettings(*m_data);
    m_fields.mode = shown.mode;
    ShowModeRules();
    m_fields.checkInterval = DecodeScanTime(shown.checkInterval);
    m_fields.holdTime = DecodeScanTime(shown.holdTime);
    m_fields.resumeTime = shown.resumeTime;
    m_fields.carrierHold = shown.carrierHold;
    m_remembered = Field::None;
    m_channelBeforeEdit.reset();
    m_exchange.ShowAll();
}

bool CScanMsgView::StoreToRecord()
{
    const bool taken = CommitRemembered();
    if (taken) {
        m_remembered = Field::None;
    }
    return taken;
}

int CScanMsgView::ChannelNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > kChannelTextLength) {
        return -1;
    }
    int n = 0;
    for (const QChar c : text) {
        if (!IsDigit(c, u'0', u'9')) {
            return -1;
        }
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

bool CScanMsgView::AllDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return IsDigit(c, u'0', u'9'); });
}

int CScanMsgView::AcceptedChannel(const QString& text) const
{
    const int n = ChannelNumber(text);
    return n >= 1 && n <= m_data->ChannelCount() && ScanChannelInUse(*m_data, n) ? n : 0;
}

QString CScanMsgView::ChannelRefusal(const QString& text) const
{
    // An empty text is "none": the typing rule keeps a chosen channel from being
    // deleted, and the modes without a channel have an empty, disabled field.
    if (!m_ui->channelEdit->isEnabled() || text.isEmpty() || AcceptedChannel(text) != 0) {
        return QString();
    }
    const int n = ChannelNumber(text);
    if (n < 1 || n > m_data->ChannelCount()) {
        return Text(text::EnterWholeNumber).arg(1).arg(m_data->ChannelCount());
    }
    return Text(text::ChannelNotInUse).arg(n);
}

void CScanMsgView::ShowModeRules()
{
    const ScanSettings shown = ShownScanSettings(*m_data);
    Ui::ScanMsgForm& ui = *m_ui;
    const QString first = Text(text::ScanCurrent);
    const QString second = Text(text::ScanPriority);
    const QString extra = QStringLiteral("+") + Text(text::Talkback);

    const int mode = m_fields.mode;
    const bool channelUsed = mode == 1;
    ui.channelEdit->setEnabled(channelUsed);
    if (!channelUsed) {
        m_fields.channelText.clear();
        ui.channelEdit->clear();  // a refused number, too: the mode has no channel
        m_channelBeforeEdit.reset();
    } else {
        m_fields.channelText =
            shown.channel == b::kNoChannel ? QString() : QString::number(shown.channel);
    }
    ui.timeAEdit->setEnabled(mode != 0);
    ui.timeBEdit->setEnabled(mode != 0);

    // Mode 0 offers only the first base text, mode 2 only the second.
    ui.combinationList->clear();
    const int transmitOn = shown.transmitOn <= 3 ? shown.transmitOn : -1;
    if (mode == 0) {
        ui.combinationList->addItems({first, first + extra});
        m_fields.transmitOn = transmitOn;
    } else if (mode == 2) {
        ui.combinationList->addItems({second, second + extra});
        m_fields.transmitOn = transmitOn >= 0 ? transmitOn - 2 : -1;
    } else {
        ui.combinationList->addItems({first, first + extra, second, second + extra});
        m_fields.transmitOn = transmitOn;
    }
    m_exchange.Show();
}

bool CScanMsgView::CommitField(Field field, bool byArrow)
{
    QScopedValueRollback<bool> committing(m_committing, true);
    const bool taken = m_exchange.Take();
    const QWidget* control = ControlOf(field);
    if (control != nullptr && !m_exchange.Taken(control)) {
        // Refused, or not reached: the record keeps the field's value, the control
        // its text as typed.
        return false;
    }
    // What the record takes, as the field will show it.
    if (field == Field::CheckInterval || field == Field::HoldTime) {
        double& time = field == Field::CheckInterval ? m_fields.checkInterval : m_fields.holdTime;
        time = DecodeScanTime(EncodeScanTime(time));
    }
    // Arrow steps merge per field; the keys are the scan view's own.
    constexpr int kScanMergeKeys = 0x5C00;
    const bool arrowStep = byArrow && field != Field::None;
    ChangeRecord(
        [this, field](RadioData& data) {
            auto& d = data.block(Block::B0160).data;
            const auto before = d;
            StoreField(field, d);
            if (d != before) {
                // The rest of the block as the view shows it.
                NormalizeScanSettings(data);
            }
            return FieldStepName(field);
        },
        arrowStep ? kScanMergeKeys + int(field) : RadioDocument::kNoMerge);
    if (field == Field::Mode) {
        ShowModeRules();
    } else if (field == Field::Channel) {
        m_channelBeforeEdit.reset();
    }
    m_exchange.Show();
    return taken;
}

void CScanMsgView::StoreField(Field field, std::array<std::uint8_t, kBlockDataSize>& d) const
{
    switch (field) {
    case Field::Mode:
        if (m_fields.mode >= 0) {
            d[b::kPriorityMode] = std::uint8_t(m_fields.mode);
        }
        break;
    case Field::Channel: {
        // The text passed its check: a channel that may be chosen, or none.
        const int n = AcceptedChannel(m_fields.channelText);
        d[b::kPriorityChannel] = n != 0 ? std::uint8_t(n) : b::kNoChannel;
        break;
    }
    case Field::CheckInterval: d[b::kCheckInterval] = EncodeScanTime(m_fields.checkInterval); break;
    case Field::HoldTime: d[b::kHoldTime] = EncodeScanTime(m_fields.holdTime); break;
    case Field::TransmitOn:
        if (m_fields.transmitOn >= 0) {
            d[b::kTransmitOn] =
                std::uint8_t(m_fields.mode == 2 ? m_fields.transmitOn + 2 : m_fields.transmitOn);
        }
        break;
    case Field::ResumeTime:
    case Field::CarrierHold: {
        const unsigned value =
            field == Field::ResumeTime ? m_fields.resumeTime : m_fields.carrierHold;
        const int low = field == Field::ResumeTime ? b::kResumeTimeLow : b::kCarrierHoldLow;
        d[std::size_t(low)] = std::uint8_t(value & 0xFF);
        d[std::size_t(low + 1)] = std::uint8_t(value >> 8);
        break;
    }
    case Field::None: break;
    }
}

RadioDocument::StepNamer CScanMsgView::FieldStepName(Field field) const
{
    // The label and the value the field shows; a list item or "off" is a language
    // text, named anew when the language changes.
    int label = 0;
    int item = -1;
    QString value;
    switch (field) {
    case Field::Mode:
        label = text::ScanPriority;
        item = m_fields.mode;
        break;
    case Field::Channel:
        label = text::PriorityChannel;
        value = m_fields.channelText;
        break;
    case Field::CheckInterval:
        label = text::CheckInterval;
        value = ScanTimeText(m_fields.checkInterval);
        break;
    case Field::HoldTime:
        label = text::HoldTime;
        value = ScanTimeText(m_fields.holdTime);
        break;
    case Field::TransmitOn:
        label = text::TransmitOn;
        item = m_fields.transmitOn < 0
                   ? -1
                   : (m_fields.mode == 2 ? m_fields.transmitOn + 2 : m_fields.transmitOn);
        break;
    case Field::ResumeTime:
        label = text::ResumeTime;
        value = QString::number(m_fields.resumeTime);
        break;
    case Field::CarrierHold:
        label = text::CarrierHold;
        value = QString::number(m_fields.carrierHold);
        break;
    case Field::None: return StoreStepName();
    }
    return [this, field, label, item, value] {
        QString shown = value;
        if (field == Field::Mode && item >= 0) {
            static constexpr int kModeTexts[] = {text::Off, text::ScanFixed, text::ScanCurrent};
            shown = Text(kModeTexts[std::min(item, 2)]);
        } else if (field == Field::TransmitOn && item >= 0) {
            shown = Text((item & 2) != 0 ? text::ScanPriority : text::ScanCurrent) +
                    ((item & 1) != 0 ? QStringLiteral("+") + Text(text::Talkback) : QString());
        } else if (field == Field::Channel && value.isEmpty()) {
            shown = Text(text::Off);  // no channel
        }
        return Text(text::UndoFieldValue).arg(PlainCaption(Text(label)), shown);
    };
}

void CScanMsgView::OnChannelEdited()
{
    QLineEdit* edit = m_ui->channelEdit;
    const QString typed = edit->text();
    if (typed.isEmpty() || !AllDigits(typed)) {
        // A chosen channel cannot be deleted, and a channel is digits only.
        if (!typed.isEmpty()) {
            Beep(this);
        }
        edit->setText(m_fields.channelText);
        return;
    }
    m_fields.channelText = typed;
    const std::uint8_t stored = m_data->block(Block::B0160).data[b::kPriorityChannel];
    if (!m_channelBeforeEdit) {
        m_channelBeforeEdit = stored;
    }
    // A channel that may be chosen goes into the record while it is typed; any other
    // number stays on screen, the record keeps the channel it had before the typing
    // began, and leaving the field refuses the number.
    const int n = AcceptedChannel(typed);
    const std::uint8_t wanted = n != 0 ? std::uint8_t(n) : *m_channelBeforeEdit;
    if (stored != wanted) {
        ChangeRecord([this, wanted](RadioData& data) {
            data.block(Block::B0160).data[b::kPriorityChannel] = wanted;
            NormalizeScanSettings(data);
            return RadioDocument::StepNamer([this, wanted] {
                return Text(text::UndoFieldValue)
                    .arg(PlainCaption(Text(text::PriorityChannel)),
                         wanted == b::kNoChannel ? Text(text::Off) : QString::number(wanted));
            });
        });
    }
}

bool CScanMsgView::CommitRemembered()
{
    return m_remembered == Field::None || CommitField(m_remembered);
}

void CScanMsgView::Spin(Field field, SpinDirection direction)
{
    if (!CommitRemembered()) {
        m_remembered = FieldOf(m_exchange.Refused());
        return;
    }
    m_remembered = Field::None;
    {
        QScopedValueRollback<bool> moving(m_committing, true);
        ControlOf(field)->setFocus(Qt::OtherFocusReason);
    }
    // A refused text stays as typed: the arrows step from a value the field holds.
    if (!m_exchange.Take()) {
        m_remembered = FieldOf(m_exchange.Refused());
        return;
    }
    switch (field) {
    case Field::CheckInterval:
    case Field::HoldTime: {
        double& time = field == Field::CheckInterval ? m_fields.checkInterval : m_fields.holdTime;
        time = SpinStep(time, kScanTimeMin, kScanTimeMax, kScanTimeStep, direction);
        break;
    }
    case Field::ResumeTime:
    case Field::CarrierHold: {
        unsigned& value = field == Field::ResumeTime ? m_fields.resumeTime : m_fields.carrierHold;
        value = SpinStep(value, 0u, kResumeAndCarrierHoldMax, 1u, direction);
        break;
    }
    default: break;
    }
    m_exchange.Show();
    CommitField(field, true);
    m_remembered = field;
}

bool CScanMsgView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && !m_committing) {
        const Field field = FieldOf(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back to the remembered field (the window active again, a refused
        // field given the keyboard back) is not leaving it.
        if (field != Field::None && field != m_remembered && reason != Qt::PopupFocusReason) {
            // The user left the remembered field for this one. A field that failed
            // its check has the focus back (the window may be inactive by now, so
            // the focus widget does not say which one).
            m_remembered = CommitRemembered() ? field : FieldOf(m_exchange.Refused());
        }
    }
    return CEditView::eventFilter(watched, event);
}

}  // namespace radio
