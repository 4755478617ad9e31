#include "persistence/MemoryStreams.h"

#include <algorithm>
#include <cstring>

#include "persistence/trace.h"

namespace {

constexpr const char* kSource = "persistence\\MemoryStreams.cpp";
constexpr int kReadLine = 29;
constexpr int kSkipLine = 45;
constexpr int kWriteLine = 57;

}  // namespace

HRESULT MemoryInputStream::read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) {
    const std::size_t left = position < bytes.size() ? bytes.size() - position : 0;
    const std::uint32_t transferred = size < left ? size : static_cast<std::uint32_t>(left);
    if (transferred > 0) {
        std::memcpy(buffer, bytes.data() + position, transferred);
        position += transferred;
    }
    if (bytesRead != nullptr) {
        *bytesRead = transferred;
    }
    if (transferred != size) {  // the failure alone calls the trace: reads are many and small
        shortRead = true;
        ASSERT_HRESULT(E_FAIL, kSource, kReadLine);
        return E_FAIL;
    }
    return S_OK;
}

HRESULT MemoryInputStream::skip(std::int32_t count, std::uint32_t reserved) {
    const std::int64_t target = static_cast<std::int64_t>(position) + count;
    HRESULT result = hresultFromWin32(ERROR_NEGATIVE_SEEK);
    if (target >= 0) {
        position = static_cast<std::size_t>(target);
        result = S_OK;
    }
    if (reserved != 0) {
        result = E_NOTIMPL;
    }
    ASSERT_HRESULT(result, kSource, kSkipLine);
    return result;
}

HRESULT MemoryOutputStream::write(const void* buffer, std::uint32_t size) {
    if (capacity - length < size) {
        constexpr std::size_t kFirstCapacity = 4096;
        const std::size_t needed = length + size;
        const std::size_t grown = std::max({needed, capacity * 2, kFirstCapacity});
        char* const block = static_cast<char*>(std::realloc(bytes.get(), grown));
        if (block == nullptr) {
            const HRESULT result = hresultFromWin32(ERROR_FILE_TOO_LARGE);
            ASSERT_HRESULT(result, kSource, kWriteLine);
            return result;
        }
        static_cast<void>(bytes.release());
        bytes.reset(block);
        capacity = grown;
    }
    if (size > 0) {
        std::memcpy(bytes.get() + length, buffer, size);
        length += size;
    }
    return S_OK;
}
