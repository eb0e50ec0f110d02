// At start-up: the unsaved changes a program left behind when it ended without
// saving them (a crash, a power cut, a killed process) are offered back.
#pragma once

#include <QString>

namespace radio {

class CMainFrame;
class RecoveryKeeper;

// The copies in `folder` that no running program holds: one that holds no usable data
// is removed with a note; the newest usable one is offered, Restore (the default)
// taking it in as unsaved data of its file and `keeper` keeping it from then on,
// Discard removing it and offering the next. Once changes are restored, older copies
// stay for the next start. Returns whether changes were restored.
bool OfferLeftChanges(CMainFrame& frame, RecoveryKeeper& keeper, const QString& folder);

}  // namespace radio
