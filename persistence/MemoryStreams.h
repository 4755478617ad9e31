#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

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
// (ERROR_FILE_TOO_LARGE), and then leaves the buffer as it was. The buffer grows with
// realloc, which moves a large block's pages instead of copying them, so that a big library
// is written into memory once, without a pass that measures it first.
class MemoryOutputStream : public tsOutputStream {
public:
    HRESULT write(const void* buffer, std::uint32_t size) override;

    // The bytes written, in place (valid until the next write) or as a copy.
    std::string_view view() const { return {bytes.get(), length}; }
    std::string data() const { return std::string(view()); }
    void clear() { length = 0; }

private:
    struct Release {
        void operator()(char* block) const { std::free(block); }
    };
    std::unique_ptr<char, Release> bytes;
    std::size_t length = 0;
    std::size_t capacity = 0;
};
