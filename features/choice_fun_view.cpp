#include "features/choice_fun_view.h"

#include <QPainter>
#include <algorithm>

#include "config/dtmf_code.h"
#include "data/feature_bytes.h"
#include "features/summary_printer.h"
#include "ui_choice_fun_form.h"

namespace radio {

namespace b = bytes::choice;

namespace {

// Bounds and steps of the number fields.
constexpr unsigned kTxTimeOutMin = 15;
constexpr unsigned kTxTimeOutMax = 600;
constexpr unsigned kTxTimeOutStep = 15;
constexpr unsigned kSquelchLevelMax = 10;
constexpr unsigned kVolumeLevelMax = 9;
constexpr unsigned kVoxLevelMax = 10;

// A byte within 0..max as it stands, anything else as the fallback.
unsigned Checked(std::uint8_t byte, unsigned max, unsigned fallback)
{
    return byte <= max ? byte : fallback;
}

}  // namespace

CChoiceFunView::CChoiceFunView(RadioDocument* document, QWidget* parent)
    : CEditView(document, parent), m_ui(std::make_unique<Ui::ChoiceFunForm>()), m_exchange(Data())
{
    m_ui->setupUi(this);
    SetUpExchange();
    ConnectControls();
    new EnterKeyNavigation(this);
    setWindowTitle(ViewTitle());
    ApplyTexts();
    LoadFromRecord();
}

CChoiceFunView::~CChoiceFunView() = default;

QString CChoiceFunView::ViewTitle() const
{
    return Text(text::FeaturesView);
}

void CChoiceFunView::SetUpExchange()
{
    Ui::ChoiceFunForm& ui = *m_ui;
    m_exchange.AddChoice(ui.choiceAList, &m_fields.audioResponse);
    m_exchange.AddChoice(ui.choiceBList, &m_fields.batterySave);
    m_exchange.AddCheck(ui.switch1Box, &m_fields.keyBeep);
    m_exchange.AddCheck(ui.switch2Box, &m_fields.voicePrompt);
    m_exchange.AddCheck(ui.switch3Box, &m_fields.keyLock);
    m_exchange.AddCheck(ui.switch4Box, &m_fields.autoKeyLock);
    m_exchange.AddCheck(ui.voxOnBox, &m_fields.voxOn);
    m_exchange.AddChoice(ui.voxDelayList, &m_fields.voxDelay);
    m_exchange.AddCheck(ui.voxSwitch1Box, &m_fields.voxHeadsetOnly);
    m_exchange.AddCheck(ui.voxSwitch2Box, &m_fields.voxInhibitOnReceive);
    m_exchange.AddCheck(ui.voxSwitch3Box, &m_fields.voxBeep);
    m_exchange.AddCheck(ui.groupSwitchBox, &m_fields.scrambler);
    m_exchange.AddChoice(ui.codeChoiceList, &m_fields.sendCode);
    m_exchange.AddChoice(ui.codeSelectorList, &m_fields.dtmfCodes);
    // The fields with a check, in the order they are checked.
    // The radio keeps the TX time-out in steps of 15 seconds (stored = seconds / 15 - 1).
    m_exchange.AddWholeNumber(ui.timerEdit, &m_fields.txTimeOut, kTxTimeOutMin, kTxTimeOutMax,
                              kTxTimeOutStep);
    m_exchange.AddWholeNumber(ui.levelAEdit, &m_fields.squelchLevel, 0, kSquelchLevelMax);
    m_exchange.AddWholeNumber(ui.levelBEdit, &m_fields.volumeLevel, 0, kVolumeLevelMax);
    m_exchange.AddWholeNumber(ui.voxLevelEdit, &m_fields.voxLevel, 0, kVoxLevelMax);
    m_exchange.AddText(ui.code1Edit, &m_fields.code1, kDtmfCodeLength);
    m_exchange.AddText(ui.code2Edit, &m_fields.code2, kDtmfCodeLength);
}

void CChoiceFunView::ConnectControls()
{
    Ui::ChoiceFunForm& ui = *m_ui;
    struct Spin {
        SpinArrows* arrows;
        QLineEdit* edit;
        unsigned* field;
        unsigned min, max, step;
    };
    const Spin spins[] = {
        {ui.timerSpin, ui.timerEdit, &m_fields.txTimeOut, kTxTimeOutMin, kTxTimeOutMax,
         kTxTimeOutStep},
        {ui.levelASpin, ui.levelAEdit, &m_fields.squelchLevel, 0, kSquelchLevelMax, 1},
        {ui.levelBSpin, ui.levelBEdit, &m_fields.volumeLevel, 0, kVolumeLevelMax, 1},
        {ui.voxLevelSpin, ui.voxLevelEdit, &m_fields.voxLevel, 0, kVoxLevelMax, 1},
    };
    for (const Spin& s : spins) {
        s.arrows->AttachEdit(s.edit);
        connect(s.arrows, &SpinArrows::stepped, this,
                [this, s](SpinDirection d) { Step(s.edit, s.field, s.min, s.max, s.step, d); });
    }
    connect(ui.code1Edit, &QLineEdit::textEdited, this,
            [this]() { FilterCode(m_ui->code1Edit, &m_fields.code1); });
    connect(ui.code2Edit, &QLineEdit::textEdited, this,
            [this]() { FilterCode(m_ui->code2Edit, &m_fields.code2); });
    connect(ui.codeSelectorList, &QComboBox::activated, this, [this]() {
        m_exchange.Take();
        EnableCodes(m_fields.dtmfCodes);
    });
    connect(ui.voxOnBox, &QCheckBox::clicked, this, [this]() {
        m_exchange.Take();
        EnableVox(m_fields.voxOn != 0);
    });
    connect(ui.switch3Box, &QCheckBox::clicked, this, [this]() {
        m_exchange.Take();
        EnableAutoKeyLock(m_fields.keyLock != 0);
    });
    connect(ui.closeButton, &QPushButton::clicked, this, [this]() {
        if (StoreToRecord()) {
            emit closeRequested();
        }
    });
}

void CChoiceFunView::ApplyTexts()
{
    Ui::ChoiceFunForm& ui = *m_ui;
    ui.timerLabel->setText(Text(text::TxTimeout));
    ui.levelALabel->setText(Text(text::SquelchLevel));
    ui.levelBLabel->setText(Text(text::VolumeLevel));
    ui.choiceALabel->setText(Text(text::AudioResponse));
    ui.choiceAList->addItems({Text(text::Standard), Text(text::Wide)});
    ui.choiceBLabel->setText(Text(text::BatterySave));
    ui.choiceBList->addItems({Text(text::SwitchedOff), Text(text::Normal), Text(text::Deep)});
    ui.switch1Box->setText(Text(text::KeyBeep));
    ui.switch2Box->setText(Text(text::VoicePrompt));
    ui.switch3Box->setText(Text(text::KeyLock));
    ui.switch4Box->setText(Text(text::AutoKeyLock));
    ui.voxGroup->setTitle(Text(text::Vox));
    ui.voxOnBox->setText(Text(text::VoxOn));
    ui.voxLevelLabel->setText(Text(text::VoxLevel));
    ui.voxDelayLabel->setText(Text(text::VoxDelay));
    // The delays are seconds, the same in every language.
    ui.voxDelayList->addItems({QStringLiteral("0.3"), QStringLiteral("0.5"), QStringLiteral("1"),
                               QStringLiteral("1.5"), QStringLiteral("2"), QStringLiteral("3")});
    ui.voxSwitch1Box->setText(Text(text::VoxHeadsetOnly));
    ui.voxSwitch2Box->setText(Text(text::VoxInhibitOnReceive));
    ui.voxSwitch3Box->setText(Text(text::VoxBeep));
    ui.groupSwitchGroup->setTitle(Text(text::VoiceScrambler));
    ui.groupSwitchBox->setText(Text(text::ScramblerOn));
    ui.codeGroup->setTitle(Text(text::DtmfCodes));
    ui.codeChoiceLabel->setText(Text(text::SendCode));
    ui.codeChoiceList->addItems({Text(text::OnPttPress), Text(text::OnPttRelease)});
    ui.codeSelectorLabel->setText(Text(text::DtmfCodes));
    ui.codeSelectorList->addItems({Text(text::Code1), Text(text::Code2), Text(text::Code1And2)});
    ui.code1Label->setText(Text(text::Code1));
    ui.code2Label->setText(Text(text::Code2));
    ui.closeButton->setText(Text(text::Close));
}

void CChoiceFunView::RefreshTexts()
{
    setWindowTitle(ViewTitle());
    emit titleChanged(ViewTitle());
    for (QComboBox* list : {m_ui->choiceAList, m_ui->choiceBList, m_ui->voxDelayList,
                            m_ui->codeChoiceList, m_ui->codeSelectorList}) {
        list->clear();
    }
    ApplyTexts();
    LoadFromRecord();
}

void CChoiceFunView::LoadFromRecord()
{
    const auto& d = m_data->block(Block::B0120).data;
    Fields& f = m_fields;
    f.txTimeOut = d[b::kTxTimeOut] <= 39 ? (d[b::kTxTimeOut] + 1u) * kTxTimeOutStep : 120;
    f.squelchLevel = Checked(d[b::kSquelchLevel], kSquelchLevelMax, 8);
    f.volumeLevel = Checked(d[b::kVolumeLevel], kVolumeLevelMax, 2);
    f.audioResponse = int(Checked(d[b::kAudioResponse], 1, 0));
    f.batterySave = int(Checked(d[b::kBatterySave], 2, 0));
    // The switches are taken as they stand; showing them turns a value above 2 to 0.
    // The enabled states follow the bytes themselves.
    f.keyBeep = d[b::kKeyBeep];
    f.voicePrompt = d[b::kVoicePrompt];
    f.keyLock = d[b::kKeyLock];
    EnableAutoKeyLock(d[b::kKeyLock] != 0);
    f.autoKeyLock = d[b::kAutoKeyLock];
    f.voxOn = d[b::kVoxOn];
    EnableVox(d[b::kVoxOn] != 0);
    f.voxLevel = Checked(d[b::kVoxLevel], kVoxLevelMax, 0);
    f.voxDelay = int(Checked(d[b::kVoxDelay], 5, 0));
    f.voxHeadsetOnly = int(Checked(d[b::kVoxHeadsetOnly], 1, 0));
    f.voxInhibitOnReceive = int(Checked(d[b::kVoxInhibitOnReceive], 1, 0));
    f.voxBeep = int(Checked(d[b::kVoxBeep], 1, 0));
    f.scrambler = int(Checked(d[b::kScrambler], 1, 0));
    f.sendCode = int(Checked(d[b::kSendCode], 1, 0));
    f.dtmfCodes = int(Checked(d[b::kDtmfCodes], 2, 0));
    EnableCodes(f.dtmfCodes);
    f.code1 = DecodeDtmfCode(&d[b::kCode1]);
    f.code2 = DecodeDtmfCode(&d[b::kCode2]);
    m_exchange.ShowAll();
}

bool CChoiceFunView::StoreToRecord()
{
    const bool taken = m_exchange.Take();
    ChangeRecord([&](RadioData& data) {
        StoreFields(data.block(Block::B0120).data);
        return StoreStepName();
    });
    return taken;
}

void CChoiceFunView::StoreFields(std::array<std::uint8_t, kBlockDataSize>& d) const
{
    const Fields& f = m_fields;
    const Ui::ChoiceFunForm& ui = *m_ui;
    // Only what was taken reaches the record: a field that failed its check, and
    // the checked fields after it, keep their bytes.
    auto put = [&](const QWidget* control, int byte, int value) {
        if (m_exchange.Taken(control) && value >= 0) {
            d[std::size_t(byte)] = std::uint8_t(value);
        }
    };
    put(ui.timerEdit, b::kTxTimeOut, int(f.txTimeOut / kTxTimeOutStep) - 1);
    put(ui.levelAEdit, b::kSquelchLevel, int(f.squelchLevel));
    put(ui.levelBEdit, b::kVolumeLevel, int(f.volumeLevel));
    put(ui.choiceAList, b::kAudioResponse, f.audioResponse);
    put(ui.choiceBList, b::kBatterySave, f.batterySave);
    put(ui.switch1Box, b::kKeyBeep, f.keyBeep);
    put(ui.switch2Box, b::kVoicePrompt, f.voicePrompt);
    put(ui.switch3Box, b::kKeyLock, f.keyLock);
    put(ui.switch4Box, b::kAutoKeyLock, f.autoKeyLock);
    put(ui.voxOnBox, b::kVoxOn, f.voxOn);
    put(ui.voxLevelEdit, b::kVoxLevel, int(f.voxLevel));
    put(ui.voxDelayList, b::kVoxDelay, f.voxDelay);
    put(ui.voxSwitch1Box, b::kVoxHeadsetOnly, f.voxHeadsetOnly);
    put(ui.voxSwitch2Box, b::kVoxInhibitOnReceive, f.voxInhibitOnReceive);
    put(ui.voxSwitch3Box, b::kVoxBeep, f.voxBeep);
    put(ui.groupSwitchBox, b::kScrambler, f.scrambler);
    put(ui.codeChoiceList, b::kSendCode, f.sendCode);
    put(ui.codeSelectorList, b::kDtmfCodes, f.dtmfCodes);
    if (m_exchange.Taken(ui.code1Edit)) {
        EncodeDtmfCode(f.code1, &d[b::kCode1]);
    }
    if (m_exchange.Taken(ui.code2Edit)) {
        EncodeDtmfCode(f.code2, &d[b::kCode2]);
    }
}

void CChoiceFunView::Step(QLineEdit* edit, unsigned* field, unsigned min, unsigned max,
                          unsigned step, SpinDirection direction)
{
    // A refused text stays as typed: the arrows step from a value the field holds.
    if (!m_exchange.Take()) {
        return;
    }
    *field = SpinStep(*field, min, max, step, direction);
    m_exchange.Show();
    edit->selectAll();
}

void CChoiceFunView::FilterCode(QLineEdit* edit, QString* field)
{
    const QString previous = *field;
    const QString typed = edit->text();
    const int cursor = edit->cursorPosition();
    m_exchange.Take();
    // A keystroke or paste that would leave a character other than a DTMF one is
    // undone as a whole; the cursor stays where the change began.
    *field = IsDtmfCode(typed) ? typed : previous;
    m_exchange.Show();
    // Shown even when a field before it was refused and Show passes it over.
    if (edit->text() != *field) {
        edit->setText(*field);
    }
    if (*field != typed) {
        edit->setCursorPosition(std::max(0, cursor - int(typed.size() - field->size())));
    }
}

void CChoiceFunView::EnableAutoKeyLock(bool keyLockOn)
{
    m_ui->switch4Box->setEnabled(!keyLockOn);
}

void CChoiceFunView::EnableVox(bool voxOn)
{
    for (QWidget* control :
         {static_cast<QWidget*>(m_ui->voxLevelEdit), static_cast<QWidget*>(m_ui->voxDelayList),
          static_cast<QWidget*>(m_ui->voxSwitch1Box), static_cast<QWidget*>(m_ui->voxSwitch2Box),
          static_cast<QWidget*>(m_ui->voxSwitch3Box)}) {
        control->setEnabled(voxOn);
    }
}

void CChoiceFunView::EnableCodes(int dtmfCodes)
{
    m_ui->code1Edit->setEnabled(dtmfCodes != 1);
    m_ui->code2Edit->setEnabled(dtmfCodes != 0);
}

int CChoiceFunView::PrintSummary(QPainter& painter, int firstLine, int left, int lineHeight)
{
    const Ui::ChoiceFunForm& ui = *m_ui;
    // Every value as its control shows it (the VOX delay as its item, "0.5", not
    // its index), with the control's label.
    SummaryPrinter out(painter, lineHeight);
    const int a = firstLine;
    const int w = out.Unit();
    const int gap = out.Gap();

    // Line by line from the first: the left column (one empty line between the lists
    // and the switches), the code group under it, the VOX and single-switch groups
    // right of the left column.
    const QList<const QWidget*> leftLines = {
        ui.timerEdit, ui.levelAEdit, ui.levelBEdit, ui.choiceAList, ui.choiceBList,
        nullptr,      ui.switch1Box, ui.switch2Box, ui.switch3Box,  ui.switch4Box};
    const QList<const QWidget*> codeLines = {ui.codeChoiceList, ui.codeSelectorList, ui.code1Edit,
                                             ui.code2Edit};
    const QList<const QWidget*> voxLines = {ui.voxOnBox,      ui.voxLevelEdit,  ui.voxDelayList,
                                            ui.voxSwitch1Box, ui.voxSwitch2Box, ui.voxSwitch3Box};
    const QList<const QWidget*> rightLines = voxLines + QList<const QWidget*>{ui.groupSwitchBox};

    // The classic columns where the texts fit them, wider where they do not; a
    // smaller font where even that leaves the sheet.
    const int sheetRight = out.SheetRight(left);
    int leftColumn = 0;
    int codeRight = 0;
    int rightFrame = 0;
    int rightColumn = 0;
    int rightEdge = 0;
    painter.save();
    QFont font = painter.font();
    for (;;) {
        leftColumn =
            std::max(left + 8 * w,
                     left + gap + std::max(out.WidestLabel(leftLines), out.WidestLabel(codeLines)));
        codeRight = std::max({2 * (left + 8 * w), leftColumn + out.WidestValue(codeLines) + gap,
                              left + 2 * gap + out.TextWidth(Text(text::DtmfCodes))});
        rightFrame = std::max(left + 10 * w, leftColumn + out.WidestValue(leftLines) + 2 * gap);
        rightColumn = std::max(left + 16 * w, rightFrame + gap + out.WidestLabel(rightLines));
        rightEdge = std::max({left + 19 * w, rightColumn + out.WidestValue(rightLines) + gap,
                              rightFrame + 2 * gap + out.TextWidth(Text(text::Vox)),
                              rightFrame + 2 * gap + out.TextWidth(Text(text::VoiceScrambler))});
        constexpr qreal kSmallest = 4.0;
        if (std::max(codeRight, rightEdge) <= sheetRight || font.pointSizeF() <= kSmallest) {
            break;
        }
        font.setPointSizeF(std::max(kSmallest, font.pointSizeF() - 0.5));
        painter.setFont(font);
    }
    codeRight = std::min(codeRight, sheetRight);

    int line = a;
    for (const QWidget* control : leftLines) {
        if (control) {
            out.Line(line, leftColumn, control);
        }
        ++line;
    }
    const int codeFrame = a + 11;
    out.Frame(codeFrame, left, codeRight, 9, leftColumn, Text(text::DtmfCodes));
    line = codeFrame + 1;
    for (const QWidget* control : codeLines) {
        out.Line(line++, leftColumn, control);
    }

    out.Frame(a, rightFrame, rightEdge, 11, rightColumn, Text(text::Vox));
    line = a + 1;
    for (const QWidget* control : voxLines) {
        out.Line(line++, rightColumn, control);
    }
    const int groupFrame = a + 8;
    out.Frame(groupFrame, rightFrame, rightEdge, 6, rightColumn, Text(text::VoiceScrambler));
    out.Line(a + 9, rightColumn, ui.groupSwitchBox);
    painter.restore();
    return a + 9;
}

}  // namespace radio
