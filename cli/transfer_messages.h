// English texts for the command-line tool: why a transfer failed (the language
// table's English texts) and how to name a band and model.
#pragma once

#include <QString>

#include "link/transfer_worker.h"

namespace radio::cli {

QString TransferErrorMessage(const TransferError& error);
// "warning: the radio's identity 4B343638367300FF is not one ...": an identity that
// could not be decoded, and the band and model the transfer goes on with.
QString IdentityWarning(const std::array<std::uint8_t, 8>& identity, const RadioReport& taken);
// The identity bytes as 16 hexadecimal digits.
QString IdentityHex(const std::array<std::uint8_t, 8>& identity);
// "400-470 MHz, 16 channels"
QString BandAndModelText(int bandLower, int bandUpper, int model);

}  // namespace radio::cli
