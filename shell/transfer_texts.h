// The texts of the read and write boxes.
#pragma once

#include <QString>

#include "data/radio_data.h"
#include "link/port_diagnosis.h"
#include "link/transfer_worker.h"

namespace radio {

// "Communication with the radio failed" and, on a line of its own, why.
QString TransferFailureText(const RadioData& data, const TransferError& error);
// A step of a transfer, as the link names it, in the interface's language.
QString TransferStepText(const RadioData& data, const QString& step);
// Only the line that says why; empty when the error names no reason.
QString TransferErrorDetail(const RadioData& data, const TransferError& error);
// A device that exists but did not open: the port check can say why.
bool PortCheckHelps(const TransferError& error);
// "Check of /dev/ttyUSB0: you may not open it: ...": who may open the device, which
// process holds it, whether it opens at 9600 8N2, with the commands that fix it.
QString PortCheckText(const RadioData& data, const PortDiagnosis& diagnosis);
// Why, also saying that the write had ended when reading it back failed.
QString TransferReason(const RadioData& data, const TransferError& error);
// "Reading from the radio..." or "Writing to the radio...", then directly "Done".
QString TransferFinishedText(const RadioData& data, TransferMode mode);
// The status bar's note on a backup that could not be saved; empty when it was.
QString BackupNote(const RadioData& data, const BackupResult& result);
// An identity that could not be decoded, by its bytes, and the band and model taken.
QString IdentityNote(const RadioData& data, const std::array<std::uint8_t, 8>& identity,
                     const RadioReport& taken);
// "400-470 MHz, 16 channels" for a band and a model value.
QString BandAndModelText(const RadioData& data, int lower, int upper, int model);

}  // namespace radio
