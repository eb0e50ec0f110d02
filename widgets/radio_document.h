// The data set being edited: the record, the data file's name, whether it differs
// from what was last opened, saved, read or written, and the history of its changes.
//
// Every change of the record goes through Change as one step of the history, named
// for the menus ("Channel 3 receive frequency 435.12500"). A step keeps the record's
// image before and after; undoing it puts back the bytes the step changed, and only
// those, so that a value changed outside the history since (the port of the COM
// port dialog, the identity a write takes from the radio) stays.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "data/radio_data.h"

class QUndoStack;

namespace radio {

using RecordImage = std::array<std::uint8_t, image::kSize>;

class RadioDocument : public QObject {
    Q_OBJECT
public:
    explicit RadioDocument(QObject* parent = nullptr);
    ~RadioDocument() override;

    RadioData& Record() { return m_record; }
    const RadioData& Record() const { return m_record; }
    QUndoStack* History() const { return m_history; }

    // Makes a step's name from the texts of the language in use.
    using StepNamer = std::function<QString()>;

    // Runs `change` on the record; it returns what names the step. A change that
    // leaves the record as it was makes no step. Returns whether the record changed.
    bool Change(const std::function<StepNamer(RadioData&)>& change);
    // The same with a name that stays as it is, whatever the language.
    bool Change(const std::function<QString(RadioData&)>& change);
    // The language changed: every step is named anew in it.
    void RenameSteps();

    // What was opened, saved, read or written: the record as it is now is no longer
    // "modified". Open also forgets the history (Forget).
    void MarkUnmodified();
    void Forget();
    bool IsModified() const;

    // The data file the set was last opened from or saved to; empty for none.
    const QString& FileName() const { return m_fileName; }
    void SetFileName(const QString& name) { m_fileName = name; }

    // Merging steps
    // A change with a merge key: when the step on top of the history has the same
    // key (a spin arrow held or pressed again on the same field, nothing else done in
    // between), the two become one step, named by the later change. Merged steps
    // that end where they began leave the history.
    static constexpr int kNoMerge = -1;
    bool Change(const std::function<StepNamer(RadioData&)>& change, int mergeKey);
    // A change made while another one runs (a view's part of a larger change) is
    // part of that step, not a step of its own.

signals:
    // Undo or redo changed the record: whatever shows it must show it afresh.
    void recordReplaced();
    void modifiedChanged(bool modified);

private:
    friend class RecordStep;
    // Puts the bytes in which `from` and `to` differ back to their values in `to`.
    void Apply(const RecordImage& from, const RecordImage& to);

    RadioData m_record;
    QUndoStack* m_history;
    QString m_fileName;
    // Merging steps
    bool m_changing = false;
};

}  // namespace radio
