// The simulated radio's programming memory: 1024 bytes, addresses 0x0000-0x03FF, in
// which the record's blocks sit at their radio addresses. It can start from a data
// file (each block at its own address), from a raw 1024-byte image, or from a factory
// image; it is saved in the same two forms.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "data/radio_data.h"

namespace radio::sim {

constexpr int kMemorySize = 1024;
using RadioMemory = std::array<std::uint8_t, kMemorySize>;

// What a radio fresh from the factory holds: erased channels, the feature defaults,
// the channel masks of its erased channels, and its identity at 0x01B8.
RadioMemory FactoryMemory(int bandLower, int model);

// Every block of the record at its own address (addresses wrap at 1024); where
// blocks overlap, the quarters that a write sends of each block win.
void PutRecord(RadioMemory& memory, const RadioData& record);
// A record whose blocks are read from their default addresses, with the given band
// and model.
RadioData RecordOf(const RadioMemory& memory, int bandLower, int bandUpper, int model);

enum class MemoryFormat { DataFile, Raw };

// A name ending in ".tw" is a data file; any other name a raw image.
MemoryFormat FormatOfName(const QString& path);

// Reads the memory from a data file (its blocks over the factory image, and its band
// and model into `record`) or from a raw image of exactly 1024 bytes. False with a
// reason in `error` when the file cannot be used.
bool LoadMemory(const QString& path, MemoryFormat format, RadioMemory& memory, RadioData* record,
                QString& error);
// Saves the memory; a data file carries the given band and model.
bool SaveMemory(const QString& path, MemoryFormat format, const RadioMemory& memory, int bandLower,
                int bandUpper, int model, QString& error);

}  // namespace radio::sim
