#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "persistence/tsStream.h"

// Streams over bytes in memory. They answer as tsFileStream answers over a file with those
// bytes: the same result codes, the same short transfers, the same trace texts.

// Reads from bytes it holds. A short read copies what is left, stores its count and fails
// with E_FAIL; skip moves relative to the position (past the end is allowed, before the start
// is not) and with a non-zero reserved argument still moves but answers E_NOTIMPL.
class MemoryInputStream : public tsInputStream {
public:
    explicit MemoryInputStream(std::string bytes) : bytes(std::move(bytes)) {}

    HRESULT read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead = nullptr) override;
    HRESULT skip(std::int32_t count, std::uint32_t reserved) override;

    const std::string& data() const { return bytes; }
    std::size_t consumed() const { return position; }
    // Whether a read asked for more than was left.
    bool cameUpShort() const { return shortRead; }
    void rewind() { position = 0, shortRead = false; }

private:
    std::string bytes;
    std::size_t position = 0;
    bool shortRead = false;
};

// Appends what is written to a buffer; a write fails only when memory runs out
// (ERROR_FILE_TOO_LARGE), and then leaves the buffer as it was.
class MemoryOutputStream : public tsOutputStream {
public:
    HRESULT write(const void* buffer, std::uint32_t size) override;

    // Room for size bytes in all, made at once.
    void reserve(std::size_t size) { bytes.reserve(size); }
    const std::string& data() const { return bytes; }
    std::string take() { return std::move(bytes); }
    void clear() { bytes.clear(); }

private:
    std::string bytes;
};
