#include "library/FieldIo.h"

#include <bit>

#include "persistence/tstring.h"

bool FieldReader::readBytes(void* buffer, std::uint32_t size) {
    if (ok()) {
        status = stream.read(buffer, size);
    }
    return ok();
}

bool FieldReader::readUInt32(std::uint32_t& field) {
    std::uint8_t bytes[4];
    if (!readBytes(bytes, sizeof bytes)) {
        return false;
    }
    field = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

bool FieldReader::readInt32(std::int32_t& field) {
    std::uint32_t value = 0;
    if (!readUInt32(value)) {
        return false;
    }
    field = static_cast<std::int32_t>(value);
    return true;
}

bool FieldReader::readFloat(float& field) {
    std::uint32_t value = 0;
    if (!readUInt32(value)) {
        return false;
    }
    field = std::bit_cast<float>(value);
    return true;
}

bool FieldReader::readText(std::string& field) {
    if (ok()) {
        status = tsReadString(field, stream);
    }
    return ok();
}

void FieldWriter::writeBytes(const void* buffer, std::uint32_t size) {
    if (SUCCEEDED(status)) {
        status = stream.write(buffer, size);
    }
}

void FieldWriter::writeUInt32(std::uint32_t value) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    writeBytes(bytes, sizeof bytes);
}

void FieldWriter::writeInt32(std::int32_t value) {
    writeUInt32(static_cast<std::uint32_t>(value));
}

void FieldWriter::writeFloat(float value) {
    writeUInt32(std::bit_cast<std::uint32_t>(value));
}

void FieldWriter::writeText(const std::string& value) {
    if (SUCCEEDED(status)) {
        status = tsWriteString(value, stream);
    }
}
