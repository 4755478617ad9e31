#pragma once

#include <cstddef>
#include <cstdint>

#include "persistence/MemoryStreams.h"

// A memory stream for tests of the format code that counts its write calls and lets the first
// failAfter succeed; every further one fails with E_FAIL.
class FailingOutputStream : public MemoryOutputStream {
public:
    explicit FailingOutputStream(std::size_t failAfter = SIZE_MAX) : failAfter(failAfter) {}

    HRESULT write(const void* buffer, std::uint32_t count) override {
        return calls++ >= failAfter ? E_FAIL : MemoryOutputStream::write(buffer, count);
    }

    std::size_t callCount() const { return calls; }

private:
    std::size_t failAfter;
    std::size_t calls = 0;
};
