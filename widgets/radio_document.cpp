#include "widgets/radio_document.h"

#include <QScopedValueRollback>
#include <QUndoStack>

#include "config/text_of.h"
#include "data/band_change.h"
#include "data/channel_plan.h"

namespace radio {

// One step of the history: the record's image before and after the change.
class RecordStep : public QUndoCommand {
public:
    RecordStep(RadioDocument* document, RadioDocument::StepNamer namer, const RecordImage& before,
               const RecordImage& after, int mergeKey = RadioDocument::kNoMerge)
        : QUndoCommand(namer()),
          m_document(document),
          m_namer(std::move(namer)),
          m_before(before),
          m_after(after),
          m_mergeKey(mergeKey)
    {
    }

    void Rename() { setText(m_namer()); }

    int id() const override { return m_mergeKey; }
    bool mergeWith(const QUndoCommand* other) override;

    void undo() override { m_document->Apply(m_after, m_before); }
    void redo() override
    {
        // The change was made before the step was pushed.
        if (m_done) {
            m_document->Apply(m_before, m_after);
        }
        m_done = true;
    }

private:
    RadioDocument* m_document;
    RadioDocument::StepNamer m_namer;
    RecordImage m_before;
    RecordImage m_after;
    int m_mergeKey;
    bool m_done = false;
};

RadioDocument::RadioDocument(QObject* parent) : QObject(parent), m_history(new QUndoStack(this))
{
    // A day of editing keeps the history small: each step holds two images of the
    // record, so the oldest steps go once there are more than this.
    m_history->setUndoLimit(kUndoLimit);
    connect(m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

RadioDocument::~RadioDocument()
{
    // Emptying the history at its end is no change anyone needs to hear of.
    m_history->blockSignals(true);
}

bool RadioDocument::Change(const std::function<StepNamer(RadioData&)>& change)
{
    return Change(change, kNoMerge);
}

bool RadioDocument::Change(const std::function<StepNamer(RadioData&)>& change, int mergeKey)
{
    const RecordImage before = m_record.ToImage();
    if (m_changing) {
        change(m_record);
        return m_record.ToImage() != before;
    }
    StepNamer namer;
    {
        QScopedValueRollback<bool> changing(m_changing, true);
        namer = change(m_record);
    }
    const RecordImage after = m_record.ToImage();
    if (after == before) {
        return false;
    }
    m_history->push(new RecordStep(this, std::move(namer), before, after, mergeKey));
    emit changed();
    return true;
}

bool RadioDocument::Change(const std::function<QString(RadioData&)>& change)
{
    return Change(std::function<StepNamer(RadioData&)>([&change](RadioData& data) -> StepNamer {
        return [name = change(data)] { return name; };
    }));
}

void RadioDocument::RenameSteps()
{
    for (int i = 0; i < m_history->count(); ++i) {
        // Every command of this history is a RecordStep, made by Change.
        auto* step = static_cast<RecordStep*>(const_cast<QUndoCommand*>(m_history->command(i)));
        step->Rename();
    }
}

void RadioDocument::Apply(const RecordImage& from, const RecordImage& to)
{
    RecordImage image = m_record.ToImage();
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (from[i] != to[i]) {
            image[i] = to[i];
        }
    }
    m_record.FromImage(image.data(), image.size());
    emit recordReplaced();
    emit changed();
}

void RadioDocument::MarkUnmodified()
{
    m_history->setClean();
}

void RadioDocument::Forget()
{
    m_history->clear();
}

void RadioDocument::SetFileName(const QString& name)
{
    m_fileName = name;
    emit changed();
}

bool RadioDocument::IsModified() const
{
    return !m_history->isClean();
}

// Data set

void RadioDocument::SetPort(int port)
{
    m_record.port = port;
    emit changed();
}

bool RadioDocument::ApplyBandAndModel(int bandIndex, int model)
{
    return Change([bandIndex, model](RadioData& data) -> StepNamer {
        const BandModelChange change = radio::ApplyBandAndModel(data, bandIndex, model);
        const RadioData* record = &data;
        if (change.band && change.model) {
            return [record] { return UiText(*record, text::MenuModelAndBand); };
        }
        if (change.band) {
            // The band this step chose, whatever later steps choose.
            const QString band =
                QStringLiteral(" %1-%2MHZ").arg(data.bandLower).arg(data.bandUpper);
            return [record, band] { return UiText(*record, text::BandLabel) + band; };
        }
        return [record] { return UiText(*record, text::ModelLabel) + QStringLiteral(" Q71/Q72"); };
    });
}

void RadioDocument::ResetToNew()
{
    Change([](RadioData& data) -> StepNamer {
        const int port = data.port;
        data.ResetRecord(false);
        data.port = port;
        return [record = &data] { return PlainCaption(UiText(*record, text::MenuNew)); };
    });
    // What ResetRecord gives the port, without a step.
    RadioData defaults;
    SetPort(defaults.port);
    MarkUnmodified();
    SetFileName(QString());
}

void RadioDocument::TakeOpened(const RadioData& opened, const QString& fileName)
{
    const int port = m_record.port;
    m_record = opened;
    m_record.port = port;
    Forget();
    SetFileName(fileName);
}

void RadioDocument::TakeRecovered(const RadioData& recovered, const QString& fileName)
{
    TakeOpened(recovered, fileName);
    // No state of this history is what a file or a radio holds.
    m_history->resetClean();
}

bool RadioDocument::ImportChannels(const ChannelPlan& plan)
{
    return Change([&plan](RadioData& data) -> StepNamer {
        ApplyChannelPlan(plan, data);
        DropScanChannelNotInUse(data);
        return [record = &data] { return PlainCaption(UiText(*record, text::ImportChannels)); };
    });
}

void RadioDocument::TakeSettings(int port, int model)
{
    m_record.port = port;
    m_record.model = model;
}

void RadioDocument::TakeTexts(const LanguageTable& texts)
{
    m_record.texts = texts;
}

void RadioDocument::SetReservedWord(std::int32_t value)
{
    m_record.reserved = value;
}

// Transfers

bool RadioDocument::ChangeOutsideHistory(const std::function<void(RadioData&)>& change)
{
    const RecordImage before = m_record.ToImage();
    change(m_record);
    if (m_record.ToImage() == before) {
        return false;
    }
    emit changed();
    return true;
}

bool RadioDocument::PrepareWrite()
{
    return ChangeOutsideHistory([](RadioData& data) { data.UpdateChannelMasks(); });
}

bool RadioDocument::CommitRead(const RadioData& received, StepNamer namer)
{
    const bool changed = Change([&received, &namer](RadioData& data) {
        radio::CommitRead(data, received);
        return namer;
    });
    MarkUnmodified();
    return changed;
}

WriteCheck RadioDocument::TakeRadioReport(const RadioReport& reported)
{
    WriteCheck check = WriteCheck::Mismatch;
    ChangeOutsideHistory(
        [&reported, &check](RadioData& data) { check = radio::TakeRadioReport(data, reported); });
    return check;
}

// Merging steps

bool RecordStep::mergeWith(const QUndoCommand* other)
{
    // The history offers only a step with this one's key, and every step is a
    // RecordStep.
    const auto* later = static_cast<const RecordStep*>(other);
    m_after = later->m_after;
    m_namer = later->m_namer;
    setText(m_namer());
    setObsolete(m_after == m_before);
    return true;
}

}  // namespace radio
