// Shared by the view tests: the document a view under test belongs to, over a
// record the test prepares. The views read the record through the document and
// change it only through its steps; the test alone writes it directly, to set up
// what the views then show (outside the history).
#pragma once

#include <QUndoStack>

#include "data/radio_data.h"
#include "widgets/radio_document.h"

namespace radio::test {

class ViewDocument {
public:
    ViewDocument() : record(Writable(document)) {}
    ViewDocument(const ViewDocument&) = delete;
    ViewDocument& operator=(const ViewDocument&) = delete;

    // A record after the New command and an empty history.
    void Reset()
    {
        record = RadioData();
        document.Forget();
    }
    int Steps() const { return document.History()->count(); }

    RadioDocument document;
    RadioData& record;

private:
    // A change that changes nothing makes no step: this only reaches the record.
    static RadioData& Writable(RadioDocument& document)
    {
        RadioData* record = nullptr;
        document.Change([&record](RadioData& data) {
            record = &data;
            return QString();
        });
        return *record;
    }
};

}  // namespace radio::test
