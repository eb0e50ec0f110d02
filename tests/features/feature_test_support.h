// Shared by the feature view tests: a record whose texts are recognisable, message
// boxes and beeps recorded instead of shown, and a view shown as the active window
// (focus events need one).
#pragma once

#include <QComboBox>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "data/radio_data.h"
#include "tests/widgets/answering_prompts.h"
#include "widgets/message_box.h"

namespace radio::test {

// The entries of a drop list, in order.
inline QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

// Text #n reads "T<n>" (the extended messages keep their English fallbacks).
inline void NameTexts(RadioData& data)
{
    for (int n = 0; n < kClassicTextCount; ++n) {
        data.texts.SetText(n, "T" + std::to_string(n));
    }
}

// Answers every box with OK and keeps its text; counts the beeps.
class BoxLog : public AnsweringPrompts {
public:
    BoxLog()
    {
        onBox = [this](const BoxRequest& request) {
            texts << request.text;
            return QMessageBox::Ok;
        };
    }

    QStringList texts;
};

inline bool ShowActive(QWidget& widget)
{
    widget.show();
    widget.activateWindow();
    return QTest::qWaitForWindowActive(&widget);
}

// A view's control by its object name; a missing one ends the test run loudly.
template <typename T>
T* Find(QWidget& view, const char* name)
{
    T* child = view.findChild<T*>(QLatin1String(name));
    if (!child) {
        qFatal("no control %s", name);
    }
    return child;
}

}  // namespace radio::test
