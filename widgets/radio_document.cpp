#include "widgets/radio_document.h"

#include <QUndoStack>

namespace radio {

// One step of the history: the record's image before and after the change.
class RecordStep : public QUndoCommand {
public:
    RecordStep(RadioDocument* document, const QString& text, const RecordImage& before,
               const RecordImage& after)
        : QUndoCommand(text), m_document(document), m_before(before), m_after(after)
    {
    }

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
    RecordImage m_before;
    RecordImage m_after;
    bool m_done = false;
};

RadioDocument::RadioDocument(QObject* parent) : QObject(parent), m_history(new QUndoStack(this))
{
    connect(m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

RadioDocument::~RadioDocument()
{
    // Emptying the history at its end is no change anyone needs to hear of.
    m_history->blockSignals(true);
}

bool RadioDocument::Change(const std::function<QString(RadioData&)>& change)
{
    const RecordImage before = m_record.ToImage();
    const QString text = change(m_record);
    const RecordImage after = m_record.ToImage();
    if (after == before) {
        return false;
    }
    m_history->push(new RecordStep(this, text, before, after));
    return true;
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
}

void RadioDocument::MarkUnmodified()
{
    m_history->setClean();
}

void RadioDocument::Forget()
{
    m_history->clear();
}

bool RadioDocument::IsModified() const
{
    return !m_history->isClean();
}

}  // namespace radio
