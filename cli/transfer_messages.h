// English texts for the command-line tool: why a transfer failed (the language
// table's English texts) and how to name a band and model.
#pragma once

#include <QString>

#include "link/transfer_worker.h"

namespace radio::cli {

QString TransferErrorMessage(const TransferError& error);
// "400-470 MHz, 16 channels"
QString BandAndModelText(int bandLower, int bandUpper, int model);

}  // namespace radio::cli
