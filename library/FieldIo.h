#pragma once

#include <cstdint>
#include <string>

#include "persistence/tsStream.h"

// Reads little-endian fields one stream call each. After the first failure it reads
// nothing more, and a field is only assigned once it has arrived in full.
class FieldReader {
public:
    explicit FieldReader(tsInputStream& stream) : stream(stream) {}

    bool readUInt32(std::uint32_t& field);
    bool readInt32(std::int32_t& field);
    bool readFloat(float& field);
    bool readText(std::string& field);
    bool readBytes(void* buffer, std::uint32_t size);

    bool ok() const { return SUCCEEDED(status); }
    HRESULT result() const { return status; }

private:
    tsInputStream& stream;
    HRESULT status = S_OK;
};

// Writes little-endian fields one stream call each; after the first failure it writes
// nothing more and keeps that failure's code.
class FieldWriter {
public:
    explicit FieldWriter(tsOutputStream& stream) : stream(stream) {}

    void writeUInt32(std::uint32_t value);
    void writeInt32(std::int32_t value);
    void writeFloat(float value);
    void writeText(const std::string& value);
    void writeBytes(const void* buffer, std::uint32_t size);

    template <typename Record>
    void writeRecord(const Record& record) {
        if (SUCCEEDED(status)) {
            status = record.write(stream);
        }
    }

    HRESULT result() const { return status; }

private:
    tsOutputStream& stream;
    HRESULT status = S_OK;
};
