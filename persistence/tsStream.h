#pragma once

#include <cstdint>

#include "persistence/hresult.h"
#include "platform/NativeFile.h"

// The reading side of a byte stream.
class tsInputStream {
public:
    virtual ~tsInputStream() = default;
    // Reads size bytes; a short transfer is E_FAIL. bytesRead, when given, receives the
    // number of bytes that arrived.
    virtual HRESULT read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead = nullptr) = 0;
    // Moves the position by count bytes; reserved must be 0.
    virtual HRESULT skip(std::int32_t count, std::uint32_t reserved) = 0;
};

// The writing side of a byte stream.
class tsOutputStream {
public:
    virtual ~tsOutputStream() = default;
    virtual HRESULT write(const void* buffer, std::uint32_t size) = 0;
};

// Open flags of tsFileStream::open; they may be combined.
inline constexpr std::uint32_t TS_OPEN_CREATE = 1;  // create, or truncate an existing file
inline constexpr std::uint32_t TS_OPEN_WRITE = 2;   // write access, no sharing
inline constexpr std::uint32_t TS_OPEN_READ = 4;    // read access

inline constexpr int TS_SEEK_BEGIN = 0;
inline constexpr int TS_SEEK_CURRENT = 1;
inline constexpr int TS_SEEK_END = 2;

// An unbuffered stream over one file: each read or write is one system transfer.
// Sharing follows the Windows rules it was made for (see NativeFile.h).
class tsFileStream : public tsInputStream, public tsOutputStream {
public:
    tsFileStream() = default;
    ~tsFileStream() override;
    tsFileStream(const tsFileStream&) = delete;
    tsFileStream& operator=(const tsFileStream&) = delete;

    HRESULT open(const char* fileName, std::uint32_t flags);
    HRESULT close();

    HRESULT read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead = nullptr) override;
    HRESULT skip(std::int32_t count, std::uint32_t reserved) override;
    HRESULT write(const void* buffer, std::uint32_t size) override;
    HRESULT seek(int origin, std::int32_t distance);

    bool isOpen() const { return handle != kNoHandle; }

private:
    static constexpr NativeFile kNoHandle = kNoNativeFile;
    NativeFile handle = kNoHandle;
};
