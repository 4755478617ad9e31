#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "persistence/hresult.h"
#include "persistence/tsStream.h"

// Streams over bytes in memory, for tests, fuzzing and benchmarks of the format code. They
// answer like tsFileStream over a file with those bytes.

// A short read copies what is left, reports its count and fails with E_FAIL; skip moves
// relative to the position (past the end is allowed, before the start is not) and with a
// non-zero reserved argument still moves but answers E_NOTIMPL.
class MemoryInputStream : public tsInputStream {
public:
    explicit MemoryInputStream(std::string bytes) : bytes(std::move(bytes)) {}

    HRESULT read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead = nullptr) override {
        const std::size_t left = position < bytes.size() ? bytes.size() - position : 0;
        const std::uint32_t transferred = count < left ? count : static_cast<std::uint32_t>(left);
        if (transferred > 0) {
            std::memcpy(buffer, bytes.data() + position, transferred);
            position += transferred;
        }
        if (bytesRead != nullptr) {
            *bytesRead = transferred;
        }
        return transferred == count ? S_OK : E_FAIL;
    }

    HRESULT skip(std::int32_t count, std::uint32_t reserved) override {
        const std::int64_t target = static_cast<std::int64_t>(position) + count;
        HRESULT result = hresultFromWin32(ERROR_NEGATIVE_SEEK);
        if (target >= 0) {
            position = static_cast<std::size_t>(target);
            result = S_OK;
        }
        return reserved != 0 ? E_NOTIMPL : result;
    }

    std::size_t consumed() const { return position; }
    void rewind() { position = 0; }

private:
    std::string bytes;
    std::size_t position = 0;
};

// Collects what is written. failAfter: the number of write calls that succeed before every
// further one fails with E_FAIL.
class MemoryOutputStream : public tsOutputStream {
public:
    explicit MemoryOutputStream(std::size_t failAfter = SIZE_MAX) : failAfter(failAfter) {}

    HRESULT write(const void* buffer, std::uint32_t count) override {
        if (calls++ >= failAfter) {
            return E_FAIL;
        }
        bytes.append(static_cast<const char*>(buffer), count);
        return S_OK;
    }

    const std::string& data() const { return bytes; }
    std::size_t callCount() const { return calls; }
    void clear() { bytes.clear(), calls = 0; }

private:
    std::string bytes;
    std::size_t failAfter;
    std::size_t calls = 0;
};
