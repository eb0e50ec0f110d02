#include "sim/sim_memory.h"

#include <QFileInfo>

#include "config/file_messages.h"
#include "config/file_reading.h"
#include "config/file_saving.h"
#include "link/block_plan.h"
#include "link/protocol.h"

namespace radio::sim {

namespace {

void PutBlock(RadioMemory& memory, const DataBlock& block, int size = kBlockDataSize)
{
    for (int j = 0; j < size; ++j) {
        memory[std::size_t((block.Address() + j) % kMemorySize)] = block.data[std::size_t(j)];
    }
}

}  // namespace

RadioMemory FactoryMemory(int bandLower, int model)
{
    RadioData record;
    record.ResetRecord(true);
    record.model = model;
    record.UpdateChannelMasks();
    EncodeIdentity(record.block(Block::B01B8).data.data() + bytes::kIdentity, bandLower, model);
    RadioMemory memory;
    memory.fill(0xFF);
    PutRecord(memory, record);
    return memory;
}

void PutRecord(RadioMemory& memory, const RadioData& record)
{
    // Some blocks overlap (0x0110 runs into 0x0120): every block goes in whole, then
    // the quarters each block owns go in again, as a write would leave them.
    for (const DataBlock& block : record.blocks) {
        PutBlock(memory, block);
    }
    for (int b = 0; b < kBlockCount; ++b) {
        PutBlock(memory, record.blocks[std::size_t(b)], 16 * QuartersWritten(Block(b)));
    }
}

RadioData RecordOf(const RadioMemory& memory, int bandLower, int bandUpper, int model)
{
    RadioData record;
    for (int b = 0; b < kBlockCount; ++b) {
        DataBlock& block = record.blocks[std::size_t(b)];
        block.SetAddress(DefaultAddress(Block(b)));
        for (int j = 0; j < kBlockDataSize; ++j) {
            block.data[std::size_t(j)] = memory[std::size_t((block.Address() + j) % kMemorySize)];
        }
    }
    record.bandLower = bandLower;
    record.bandUpper = bandUpper;
    record.model = model;
    return record;
}

MemoryFormat FormatOfName(const QString& path)
{
    return path.endsWith(QLatin1String(".tw"), Qt::CaseInsensitive) ? MemoryFormat::DataFile
                                                                    : MemoryFormat::Raw;
}

bool LoadMemory(const QString& path, MemoryFormat format, RadioMemory& memory, RadioData* record,
                QString& error)
{
    if (format == MemoryFormat::DataFile) {
        RadioData data;
        const FileResult result = LoadDataFile(path, data);
        if (!result.ok()) {
            error = OpenFailureText(LanguageTable(), path, result);
            return false;
        }
        PutRecord(memory, data);
        if (record) {
            *record = data;
        }
        return true;
    }
    QByteArray bytes;
    if (const FileResult result = ReadWholeFile(path, bytes, kMemorySize + 1); !result.ok()) {
        error = QStringLiteral("%1: %2").arg(path, FailureReason(LanguageTable(), result));
        return false;
    }
    if (bytes.size() != kMemorySize) {
        error =
            QStringLiteral("%1 holds %2 bytes; a raw memory image has exactly %3")
                .arg(path, QString::number(QFileInfo(path).size()), QString::number(kMemorySize));
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), memory.begin());
    return true;
}

bool SaveMemory(const QString& path, MemoryFormat format, const RadioMemory& memory, int bandLower,
                int bandUpper, int model, QString& error)
{
    FileResult result;
    if (format == MemoryFormat::DataFile) {
        result = SaveDataFile(path, RecordOf(memory, bandLower, bandUpper, model));
    } else {
        result = WriteFileAtomically(path, QByteArray(reinterpret_cast<const char*>(memory.data()),
                                                      qsizetype(memory.size())));
    }
    if (!result.ok()) {
        error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(result.detail));
        return false;
    }
    return true;
}

}  // namespace radio::sim
