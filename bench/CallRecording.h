#pragma once

#include <cstdint>
#include <vector>

#include "persistence/tsStream.h"

// Stream wrappers that pass every transfer on and note its size, so that a benchmark knows
// how many stream calls a load or save makes and can replay the same transfers as bare
// system calls.

class RecordingInputStream : public tsInputStream {
public:
    explicit RecordingInputStream(tsInputStream& inner) : inner(inner) {}

    HRESULT read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead = nullptr) override {
        sizes.push_back(size);
        return inner.read(buffer, size, bytesRead);
    }
    HRESULT skip(std::int32_t count, std::uint32_t reserved) override {
        return inner.skip(count, reserved);
    }

    std::vector<std::uint32_t> sizes;

private:
    tsInputStream& inner;
};

class RecordingOutputStream : public tsOutputStream {
public:
    explicit RecordingOutputStream(tsOutputStream& inner) : inner(inner) {}

    HRESULT write(const void* buffer, std::uint32_t size) override {
        sizes.push_back(size);
        return inner.write(buffer, size);
    }

    std::vector<std::uint32_t> sizes;

private:
    tsOutputStream& inner;
};
