#pragma once

#include <dirent.h>
#include <sys/types.h>

#include <cstddef>

// The system calls through which files are read, written, put on the disk and moved into
// place, and folders listed. They are the system's own; tests replace one of them to make a
// chosen call fail or answer as another file system would.
struct SystemCalls {
    ssize_t (*read)(int fd, void* buffer, std::size_t size);
    ssize_t (*write)(int fd, const void* buffer, std::size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    DIR* (*opendir)(const char* name);
    dirent* (*readdir)(DIR* folder);
};

extern SystemCalls systemCalls;
