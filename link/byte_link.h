// The byte-level operations the programming protocol is built from. The serial port
// implements them over a real device; the protocol tests implement them over a
// scripted, in-memory line so that every byte and every wait can be checked.
#pragma once

#include <cstdint>

namespace radio {

class ByteLink {
public:
    virtual ~ByteLink() = default;

    // One write of `count` bytes; the number the line took (0 on failure).
    virtual int Write(const std::uint8_t* bytes, int count) = 0;
    // Waits 2 ms, then reads up to `count` bytes until they have all arrived or the
    // read time-out has passed; the number that arrived (possibly 0).
    virtual int Read(std::uint8_t* buffer, int count) = 0;
    // Discards every received byte not read yet.
    virtual void Purge() = 0;
    // The total time-out of the following reads, in milliseconds.
    virtual void SetReadTimeout(int ms) = 0;
    virtual int ReadTimeout() const = 0;
    virtual void Sleep(int ms) = 0;
};

}  // namespace radio
