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
#include "link/write_check.h"

class QUndoStack;

namespace radio {

struct ChannelPlan;

using RecordImage = std::array<std::uint8_t, image::kSize>;

class RadioDocument : public QObject {
    Q_OBJECT
public:
    explicit RadioDocument(QObject* parent = nullptr);
    ~RadioDocument() override;

    const RadioData& Record() const { return m_record; }
    QUndoStack* History() const { return m_history; }
    // Steps kept for Undo; older ones are forgotten.
    static constexpr int kUndoLimit = 500;

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
    void SetFileName(const QString& name);

    // Data set: the shell's changes of the whole set, each a named operation.
    // The port in use is a setting of this session, not an edit of the data: it stays
    // out of the history, and undo leaves it as it is.
    void SetPort(int port);
    // The model dialog's choice, one step named for what changed: the model, and a
    // band other than the current one, which empties the channels. False when
    // nothing changed.
    bool ApplyBandAndModel(int bandIndex, int model);
    // File New: every block back to its defaults in one step, the port back to COM1
    // (outside the history); band, model and the radio's report stay. The set has no
    // file and counts as unmodified.
    void ResetToNew();
    // File Open: the set opened takes the place of the record, keeping the port in
    // use; its history starts here.
    void TakeOpened(const RadioData& opened, const QString& fileName);
    // Unsaved changes kept by a program that ended without saving them: taken as
    // File Open takes a file, but they count as modified until saved.
    void TakeRecovered(const RadioData& recovered, const QString& fileName);
    // The channels of a channel plan, one step.
    bool ImportChannels(const ChannelPlan& plan);
    // Values of the program, not of the data, outside the history: the port and model
    // of the settings file, the language's texts, the reserved word of the start-up.
    void TakeSettings(int port, int model);
    void TakeTexts(const LanguageTable& texts);
    void SetReservedWord(std::int32_t value);
    // Transfers. A transfer works on a copy of the record (CTransferWorker::Init);
    // these are the changes a read or a write makes to the record itself, on the
    // interface thread. None of them reloads a view: the caller refreshes afterwards.
    //
    // Before a write (the step UpdateChannelMasks): the present and scan masks of
    // blocks 0x0160 and 0x01B8 are rebuilt from the channels. Outside the history:
    // the masks follow from the channels, which the user changed in steps of their
    // own, and no view shows them; a step here would let Undo take back something
    // the user never did. Undoing a channel change leaves the masks for the next
    // write to rebuild. Returns whether a byte changed.
    bool PrepareWrite();
    // A read has succeeded: `received` goes into the record (CommitRead, link/) as
    // one step of the history named by `namer`, and the result counts as unmodified:
    // it is what the radio holds. Returns whether the record changed.
    bool CommitRead(const RadioData& received, StepNamer namer);
    // What a radio reported before a write, outside the history as the port is: the
    // radio-reported band and model, and with them the identity change of the check
    // before the write (TakeRadioReport, write_check.h), the same change the worker
    // makes on the copy it sends. Returns the check's verdict.
    WriteCheck TakeRadioReport(const RadioReport& reported);
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
    // The record or the file name changed, in the history or outside it.
    void changed();

private:
    friend class RecordStep;
    // Puts the bytes in which `from` and `to` differ back to their values in `to`.
    void Apply(const RecordImage& from, const RecordImage& to);
    // A change kept out of the history; returns whether the record changed.
    bool ChangeOutsideHistory(const std::function<void(RadioData&)>& change);

    RadioData m_record;
    QUndoStack* m_history;
    QString m_fileName;
    // Merging steps
    bool m_changing = false;
};

}  // namespace radio
