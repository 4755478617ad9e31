#pragma once

#include <cstddef>
#include <cstdint>

// The system calls through which files are read, written, put on the disk and moved into
// place. They are the system's own; tests replace one of them to make a chosen call fail
// (setting errno, or on Windows the last error).
#ifdef _WIN32
// ReadFile, WriteFile (without overlapping), FlushFileBuffers and MoveFileExW; a HANDLE is a
// void*, a BOOL an int, a DWORD an unsigned long.
struct SystemCalls {
    int (*read)(void* file, void* buffer, unsigned long size, unsigned long* transferred);
    int (*write)(void* file, const void* buffer, unsigned long size, unsigned long* transferred);
    int (*fsync)(void* file);
    int (*rename)(const wchar_t* from, const wchar_t* to, unsigned long flags);
};
#else
#include <dirent.h>
#include <sys/types.h>

// Also opendir and readdir, through which folders are listed: tests make them answer as
// another file system would.
struct SystemCalls {
    ssize_t (*read)(int fd, void* buffer, std::size_t size);
    ssize_t (*write)(int fd, const void* buffer, std::size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    DIR* (*opendir)(const char* name);
    dirent* (*readdir)(DIR* folder);
};
#endif

extern SystemCalls systemCalls;
