// Simulated radios for the link tests, with recognisable memory contents.
#pragma once

#include <QtTest>
#include <algorithm>
#include <memory>

#include "sim/radio_simulator.h"

namespace radio::test {

// Every address holds its own recognisable byte; `seed` tells two images apart.
inline sim::RadioMemory PatternMemory(int seed)
{
    sim::RadioMemory memory;
    for (int a = 0; a < sim::kMemorySize; ++a) {
        memory[std::size_t(a)] = std::uint8_t((a * 7 + (a >> 8) * 31 + seed) & 0xFF);
    }
    return memory;
}

inline sim::SimConfig FastRadio(int bandLower, int model)
{
    sim::SimConfig config;
    config.bandLower = bandLower;
    config.model = model;
    config.pacing = false;
    return config;
}

inline std::unique_ptr<sim::RadioSimulator> StartRadio(const sim::SimConfig& config)
{
    auto radio = std::make_unique<sim::RadioSimulator>(config);
    QString error;
    if (!radio->Start(&error)) {
        qWarning("simulator did not start: %s", qPrintable(error));
        return nullptr;
    }
    return radio;
}

// The 64 bytes of memory at `address`.
inline std::array<std::uint8_t, 64> MemoryAt(const sim::RadioMemory& memory, int address)
{
    std::array<std::uint8_t, 64> out{};
    for (int j = 0; j < 64; ++j) {
        out[std::size_t(j)] = memory[std::size_t((address + j) % sim::kMemorySize)];
    }
    return out;
}

// How many of the simulator's events are of `kind`.
inline int Count(const std::vector<sim::SimEvent>& events, sim::SimEvent::Kind kind)
{
    return int(std::count_if(events.begin(), events.end(),
                             [kind](const sim::SimEvent& e) { return e.kind == kind; }));
}

}  // namespace radio::test
