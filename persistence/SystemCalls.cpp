#include "persistence/SystemCalls.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>

SystemCalls systemCalls = {::read, ::write, ::fsync, std::rename, ::opendir, ::readdir};
