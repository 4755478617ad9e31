#include <dirent.h>
#include <unistd.h>

#include <cstdio>

#include "platform/SystemCalls.h"

SystemCalls systemCalls = {::read, ::write, ::fsync, std::rename, ::opendir, ::readdir};
