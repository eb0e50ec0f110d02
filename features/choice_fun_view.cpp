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
constexpr unsigned kTimerMin = 15;
constexpr unsigned kTimerMax = 600;
constexpr unsigned kTimerStep = 15;
constexpr unsigned kLevelAMax = 10;
constexpr unsigned kLevelBMax = 9;
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
    m_exchange.AddChoice(ui.choiceAList, &m_fields.choiceA);
    m_exchange.AddChoice(ui.choiceBList, &m_fields.choiceB);
    m_exchange.AddCheck(ui.switch1Box, &m_fields.switch1);
    m_exchange.AddCheck(ui.switch2Box, &m_fields.switch2);
    m_exchange.AddCheck(ui.switch3Box, &m_fields.switch3);
    m_exchange.AddCheck(ui.switch4Box, &m_fields.switch4);
    m_exchange.AddCheck(ui.voxOnBox, &m_fields.voxOn);
    m_exchange.AddChoice(ui.voxDelayList, &m_fields.voxDelay);
    m_exchange.AddCheck(ui.voxSwitch1Box, &m_fields.voxSwitch1);
    m_exchange.AddCheck(ui.voxSwitch2Box, &m_fields.voxSwitch2);
    m_exchange.AddCheck(ui.voxSwitch3Box, &m_fields.voxSwitch3);
    m_exchange.AddCheck(ui.groupSwitchBox, &m_fields.groupSwitch);
    m_exchange.AddChoice(ui.codeChoiceList, &m_fields.codeChoice);
    m_exchange.AddChoice(ui.codeSelectorList, &m_fields.codeSelector);
    // The fields with a check, in the order they are checked.
    // The radio keeps the timer in steps of 15 seconds (stored = seconds / 15 - 1).
    m_exchange.AddWholeNumber(ui.timerEdit, &m_fields.timer, kTimerMin, kTimerMax, kTimerStep);
    m_exchange.AddWholeNumber(ui.levelAEdit, &m_fields.levelA, 0, kLevelAMax);
    m_exchange.AddWholeNumber(ui.levelBEdit, &m_fields.levelB, 0, kLevelBMax);
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
        {ui.timerSpin, ui.timerEdit, &m_fields.timer, kTimerMin, kTimerMax, kTimerStep},
        {ui.levelASpin, ui.levelAEdit, &m_fields.levelA, 0, kLevelAMax, 1},
        {ui.levelBSpin, ui.levelBEdit, &m_fields.levelB, 0, kLevelBMax, 1},
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
        EnableCodes(m_fields.codeSelector);
    });
    connect(ui.voxOnBox, &QCheckBox::clicked, this, [this]() {
        m_exchange.Take();
        EnableVox(m_fields.voxOn != 0);
    });
    connect(ui.switch3Box, &QCheckBox::clicked, this, [this]() {
        m_exchange.Take();
        EnableSwitch4(m_fields.switch3 != 0);
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
    f.timer = d[b::kTimer] <= 39 ? (d[b::kTimer] + 1u) * kTimerStep : 120;
    f.levelA = Checked(d[b::kLevelA], kLevelAMax, 8);
    f.levelB = Checked(d[b::kLevelB], kLevelBMax, 2);
    f.choiceA = int(Checked(d[b::kChoiceA], 1, 0));
    f.choiceB = int(Checked(d[b::kChoiceB], 2, 0));
    // The switches are taken as they stand; showing them turns a value above 2 to 0.
    // The enabled states follow the bytes themselves.
    f.switch1 = d[b::kSwitch1];
    f.switch2 = d[b::kSwitch2];
    f.switch3 = d[b::kSwitch3];
    EnableSwitch4(d[b::kSwitch3] != 0);
    f.switch4 = d[b::kSwitch4];
    f.voxOn = d[b::kVoxOn];
    EnableVox(d[b::kVoxOn] != 0);
    f.voxLevel = Checked(d[b::kVoxLevel], kVoxLevelMax, 0);
    f.voxDelay = int(Checked(d[b::kVoxDelay], 5, 0));
    f.voxSwitch1 = int(Checked(d[b::kVoxSwitch1], 1, 0));
    f.voxSwitch2 = int(Checked(d[b::kVoxSwitch2], 1, 0));
    f.voxSwitch3 = int(Checked(d[b::kVoxSwitch3], 1, 0));
    f.groupSwitch = int(Checked(d[b::kGroupSwitch], 1, 0));
    f.codeChoice = int(Checked(d[b::kCodeChoice], 1, 0));
    f.codeSelector = int(Checked(d[b::kCodeSelector], 2, 0));
    EnableCodes(f.codeSelector);
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
    put(ui.timerEdit, b::kTimer, int(f.timer / kTimerStep) - 1);
    put(ui.levelAEdit, b::kLevelA, int(f.levelA));
    put(ui.levelBEdit, b::kLevelB, int(f.levelB));
    put(ui.choiceAList, b::kChoiceA, f.choiceA);
    put(ui.choiceBList, b::kChoiceB, f.choiceB);
    put(ui.switch1Box, b::kSwitch1, f.switch1);
    put(ui.switch2Box, b::kSwitch2, f.switch2);
    put(ui.switch3Box, b::kSwitch3, f.switch3);
    put(ui.switch4Box, b::kSwitch4, f.switch4);
    put(ui.voxOnBox, b::kVoxOn, f.voxOn);
    put(ui.voxLevelEdit, b::kVoxLevel, int(f.voxLevel));
    put(ui.voxDelayList, b::kVoxDelay, f.voxDelay);
    put(ui.voxSwitch1Box, b::kVoxSwitch1, f.voxSwitch1);
    put(ui.voxSwitch2Box, b::kVoxSwitch2, f.voxSwitch2);
    put(ui.voxSwitch3Box, b::kVoxSwitch3, f.voxSwitch3);
    put(ui.groupSwitchBox, b::kGroupSwitch, f.groupSwitch);
    put(ui.codeChoiceList, b::kCodeChoice, f.codeChoice);
    put(ui.codeSelectorList, b::kCodeSelector, f.codeSelector);
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

void CChoiceFunView::EnableSwitch4(bool switch3On)
{
    m_ui->switch4Box->setEnabled(!switch3On);
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

void CChoiceFunView::EnableCodes(int codeSelector)
{
    m_ui->code1Edit->setEnabled(codeSelector != 1);
    m_ui->code2Edit->setEnabled(codeSelector != 0);
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
