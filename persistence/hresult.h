#pragma once

#include <cstdint>

// Result codes of the persistence layer, in the Windows HRESULT convention:
// 0 is success, negative values are failures.
using HRESULT = std::int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);

// Win32 error codes that the POSIX file layer reports.
inline constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
inline constexpr std::uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::uint32_t ERROR_SHARING_VIOLATION = 32;
inline constexpr std::uint32_t ERROR_GEN_FAILURE = 31;
inline constexpr std::uint32_t ERROR_FILE_EXISTS = 80;
inline constexpr std::uint32_t ERROR_DISK_FULL = 112;
inline constexpr std::uint32_t ERROR_NEGATIVE_SEEK = 131;
// A file of a type the operation does not take (a pipe, a device or a socket where a regular
// file is wanted).
inline constexpr std::uint32_t ERROR_BAD_FILE_TYPE = 222;
// A file too large for the operation (for a whole-file transfer: 4 GiB or more, or more than
// memory holds).
inline constexpr std::uint32_t ERROR_FILE_TOO_LARGE = 223;
// A file operation aimed at a folder.
inline constexpr std::uint32_t ERROR_DIRECTORY_NOT_SUPPORTED = 336;

// The system-error form: 0x80070000 with the low 16 bits of the Win32 code.
constexpr HRESULT hresultFromWin32(std::uint32_t code) {
    return code == 0 ? S_OK : static_cast<HRESULT>(0x80070000u | (code & 0xFFFFu));
}

constexpr bool FAILED(HRESULT result) {
    return result < 0;
}
constexpr bool SUCCEEDED(HRESULT result) {
    return result >= 0;
}
