#include "persistence/tstring.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#include "persistence/trace.h"

namespace {

constexpr const char* kSource = "persistence\\tstring.cpp";
constexpr int kReadLine = 365;
constexpr int kWriteLine = 430;
constexpr int kMakeUpperLine = 471;

constexpr std::uint8_t kLongPrefix = 0xFF;
constexpr std::uint16_t kReservedLength = 0xFFFE;
constexpr std::uint16_t kWideLength = 0xFFFF;
constexpr std::uint32_t kUnallocatableLength = 0xFFFFFFFF;

// A damaged length must not make the reader allocate far more than the stream holds, so a
// long text grows piece by piece as its bytes arrive, each piece as large as what arrived
// before it. Intact texts up to the first piece's size take one read.
constexpr std::uint32_t kFirstReadPiece = 1u << 16;

HRESULT writePrefix(std::uint32_t length, tsOutputStream& stream) {
    if (length < kLongPrefix) {
        const std::uint8_t small = static_cast<std::uint8_t>(length);
        return stream.write(&small, 1);
    }
    HRESULT result = stream.write(&kLongPrefix, 1);
    if (FAILED(result)) {
        return result;
    }
    if (length < kReservedLength) {
        const std::uint8_t medium[2] = {static_cast<std::uint8_t>(length),
                                        static_cast<std::uint8_t>(length >> 8)};
        return stream.write(medium, 2);
    }
    const std::uint8_t wide[2] = {0xFF, 0xFF};
    result = stream.write(wide, 2);
    if (FAILED(result)) {
        return result;
    }
    const std::uint8_t large[4] = {
        static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
        static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
    return stream.write(large, 4);
}

HRESULT readPrefix(tsInputStream& stream, std::uint32_t& length) {
    std::uint8_t first = 0;
    HRESULT result = stream.read(&first, 1);
    if (FAILED(result) || first != kLongPrefix) {
        length = first;
        return result;
    }
    std::uint8_t medium[2] = {};
    result = stream.read(medium, 2);
    if (FAILED(result)) {
        return result;
    }
    const std::uint16_t value = static_cast<std::uint16_t>(medium[0] | medium[1] << 8);
    if (value == kReservedLength) {
        return E_FAIL;
    }
    if (value != kWideLength) {
        length = value;
        return S_OK;
    }
    std::uint8_t large[4] = {};
    result = stream.read(large, 4);
    length = static_cast<std::uint32_t>(large[0]) | static_cast<std::uint32_t>(large[1]) << 8 |
             static_cast<std::uint32_t>(large[2]) << 16 |
             static_cast<std::uint32_t>(large[3]) << 24;
    return result;
}

HRESULT readBytes(tsInputStream& stream, std::uint32_t length, std::string& bytes) {
    if (length == kUnallocatableLength) {
        return E_OUTOFMEMORY;  // length + 1 bytes cannot be had
    }
    try {
        while (bytes.size() < length) {
            const auto arrived = static_cast<std::uint32_t>(bytes.size());
            const std::uint32_t piece =
                std::min(std::max(kFirstReadPiece, arrived), length - arrived);
            const std::size_t start = bytes.size();
            bytes.resize(start + piece);
            const HRESULT result = stream.read(bytes.data() + start, piece);
            if (FAILED(result)) {
                return result;
            }
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace

HRESULT tsWriteString(const std::string& text, tsOutputStream& stream) {
    const std::uint32_t length = static_cast<std::uint32_t>(text.size());
    HRESULT result = writePrefix(length, stream);
    if (SUCCEEDED(result)) {
        result = stream.write(text.data(), length);
    }
    ASSERT_HRESULT(result, kSource, kWriteLine);
    return FAILED(result) ? result : S_OK;
}

HRESULT tsReadString(std::string& target, tsInputStream& stream) {
    std::uint32_t length = 0;
    std::string bytes;
    HRESULT result = readPrefix(stream, length);
    if (SUCCEEDED(result)) {
        result = readBytes(stream, length, bytes);
    }
    if (FAILED(result)) {
        ASSERT_HRESULT(result, kSource, kReadLine);
        return result;
    }
    // A stored zero byte ends the text.
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    target = std::move(bytes);
    return S_OK;
}

HRESULT tsMakeUpper(std::string& text) {
    try {
        std::string upper = text;
        for (char& c : upper) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        text = std::move(upper);
    } catch (const std::bad_alloc&) {
        ASSERT_HRESULT(E_OUTOFMEMORY, kSource, kMakeUpperLine);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}
