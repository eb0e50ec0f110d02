// Moves values between a form's controls and the view's fields, both ways. Taking
// the controls into the fields checks the number and text fields in the order they
// were added; the first one that fails gets a message and the focus, and neither it
// nor the controls after it are taken.
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

// What a number field receives when its text is a number outside the range (or no
// number at all): nothing (the field keeps its value), or the nearest bound (no
// number at all gives the lowest), for views that store the field anyway.
enum class OutOfRange { Refuse, Clamp };

class FieldExchange {
public:
    // `data` supplies the message texts.
    explicit FieldExchange(const RadioData* data) : m_data(data) {}

    void AddWholeNumber(QLineEdit* edit, unsigned* field, unsigned min, unsigned max,
                        OutOfRange outOfRange = OutOfRange::Refuse);
    void AddNumber(QLineEdit* edit, double* field, double min, double max,
                   OutOfRange outOfRange = OutOfRange::Refuse);
    void AddText(QLineEdit* edit, QString* field, int maxLength);
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
    // field being edited stays where it is.
    void Show();
    // Whether the last Take took this control (every control, when it succeeded).
    bool Taken(const QWidget* control) const;

private:
    struct Entry {
        QWidget* control;
        // Returns the message for a text that fails the check, empty when it passes.
        std::function<QString()> take;
        std::function<void()> show;
    };
    QString Message(int n) const;

    const RadioData* m_data;
    std::vector<Entry> m_entries;
    std::size_t m_takenCount = 0;
};

}  // namespace radio
