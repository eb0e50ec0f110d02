// Moves values between a form's controls and the view's fields, both ways. Taking
// the controls into the fields checks the number and text fields in the order they
// were added; the first one that fails gets a message and the focus with its whole
// text selected, and neither it nor the controls after it are taken: their texts
// stay as typed until a later Take succeeds or the view loads afresh.
#pragma once

#include <QString>
#include <functional>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace radio {

struct RadioData;

class FieldExchange {
public:
    // `data` supplies the message texts.
    explicit FieldExchange(const RadioData* data) : m_data(data) {}

    // A number from min to max that lies on the steps min, min + step, ...; any
    // other text is refused with a message naming the range (and the step, when it
    // is not 1), never brought to a value near it.
    void AddWholeNumber(QLineEdit* edit, unsigned* field, unsigned min, unsigned max,
                        unsigned step = 1);
    void AddNumber(QLineEdit* edit, double* field, double min, double max, double step);
    void AddText(QLineEdit* edit, QString* field, int maxLength);
    // A text with a check of the view's own: `check` returns the message for a text
    // it refuses, empty when it takes it.
    void AddCheckedText(QLineEdit* edit, QString* field,
                        std::function<QString(const QString&)> check);
    // A list index; -1 = nothing selected.
    void AddChoice(QComboBox* list, int* field);
    // 0 off, 1 on. A field above 2 shows as off and becomes 0.
    void AddCheck(QAbstractButton* box, int* field);

    // Controls -> fields. False when a field failed its check: the user was told, in
    // a message that begins with the field's name (its label on the form), and the
    // field has the focus.
    bool Take();
    static QString FieldName(const QWidget* control);
    // Fields -> controls. A text is set only when it differs, so the cursor of the
    // field being edited stays where it is. A control the last Take refused or did
    // not reach keeps its text as typed.
    void Show();
    // Fields -> every control, after the fields were loaded from the record.
    void ShowAll();
    // Whether the last Take took this control (every control, when it succeeded).
    bool Taken(const QWidget* control) const;
    // The control the last Take refused; null when it succeeded.
    QWidget* Refused() const;

private:
    struct Entry {
        QWidget* control;
        // Returns the message for a text that fails the check, empty when it passes.
        std::function<QString()> take;
        std::function<void()> show;
    };
    QString Message(int n) const;
    void Refuse(const Entry& entry, const QString& message);
    QString RangeMessage(int plain, int stepped, const QString& min, const QString& max,
                         const QString& step, bool hasStep) const;

    const RadioData* m_data;
    std::vector<Entry> m_entries;
    std::size_t m_takenCount = 0;
};

}  // namespace radio
