// The radio's view of a session as a list of words, for comparing whole exchanges:
// "entry", "identity", "R 0120" (block read), "W 0130" (chunk acknowledged),
// "W 0130 -" (not), "end".
#pragma once

#include <QStringList>
#include <vector>

#include "sim/radio_machine.h"

namespace radio::test {

inline QString Hex(int address)
{
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0'));
}

inline QStringList Transcript(const std::vector<sim::SimEvent>& events)
{
    QStringList out;
    for (const sim::SimEvent& e : events) {
        switch (e.kind) {
        case sim::SimEvent::Kind::Entry: out << QStringLiteral("entry"); break;
        case sim::SimEvent::Kind::Identity: out << QStringLiteral("identity"); break;
        case sim::SimEvent::Kind::BlockRead: out << QStringLiteral("R ") + Hex(e.address); break;
        case sim::SimEvent::Kind::ChunkWrite:
            out << QStringLiteral("W ") + Hex(e.address) + (e.answered ? "" : " -");
            break;
        case sim::SimEvent::Kind::End: out << QStringLiteral("end"); break;
        }
    }
    return out;
}

inline QStringList ReadTranscript(int channelBlocks)
{
    QStringList out{"entry", "identity", "R 0000"};
    for (int k = 0; k < channelBlocks; ++k) {
        out << QStringLiteral("R ") + Hex(DefaultAddress(ChannelBlock(k)));
    }
    out << "R 0120"
        << "R 0110"
        << "R 0160"
        << "R 03c0"
        << "end";
    return out;
}

// The verify after a write reads back every block the write sent, 0x01B8 included.
inline QStringList VerifyTranscript(int channelBlocks)
{
    QStringList out = ReadTranscript(channelBlocks);
    out.insert(out.indexOf(QStringLiteral("R 03c0")), QStringLiteral("R 01b8"));
    return out;
}

inline QStringList WriteTranscript(int channelBlocks)
{
    QStringList out{"entry", "identity", "W 0000"};
    for (int k = 0; k < channelBlocks; ++k) {
        const int address = DefaultAddress(ChannelBlock(k));
        for (int q = 0; q < 4; ++q) {
            out << QStringLiteral("W ") + Hex(address + 16 * q);
        }
    }
    out << "W 0120"
        << "W 0130"
        << "W 0140"
        << "W 0150"
        << "W 0110"
        << "W 0160"
        << "W 0170"
        << "W 01b8"
        << "W 03c0"
        << "end";
    return out;
}

}  // namespace radio::test
