// Port names: the user always sees COM1..COM10. COMn stands for a device: the one
// named by the environment variable RADIOPROG_COM<n> when it is set; otherwise, on
// Linux, the n-th programming-cable-like device present (USB adapters first:
// /dev/ttyUSB*, /dev/ttyACM*, then /dev/ttyS*, each group in numeric order); on
// Windows the name itself.
#pragma once

#include <QString>

namespace radio {

constexpr int kPortCount = 10;
// The command-line tool, which also takes device paths, names COM11..COM16 as well,
// for batches of up to sixteen radios; they stand for devices as the first ten do.
constexpr int kCliPortCount = 16;

QString PortName(int n);  // "COM3"

// The device COMn (1..kCliPortCount) stands for; empty when none.
QString ResolvePortDevice(int n);

// The port number of a name "COM1".."COM<last>" (case-insensitive); 0 for anything
// else.
int PortNumberOf(const QString& name, int last = kPortCount);

}  // namespace radio
