// A port diagnosis in words: one line that says whether this user may open the
// device, which process holds it and whether it opens at 9600 8N2, each problem with
// the command that fixes it. The words are language texts, so the desktop program
// shows them in its language and the command-line tool in English.
#pragma once

#include <QString>
#include <functional>

#include "link/port_diagnosis.h"

namespace radio {

// Text #n of the language table.
using TextLookup = std::function<QString(int n)>;

// "you may open it; held by ModemManager (process 812); fix: sudo systemctl stop
// ModemManager; opens at 9600 8N2". A device that does not exist, or that is the
// terminal this program runs in, gives only that. Every path in a command is quoted
// as a shell needs it.
QString DiagnosisText(const PortDiagnosis& diagnosis, const TextLookup& text);

}  // namespace radio
