#pragma once

#include <string>

#include "library/uiresourcecontrol.h"

// Every field of a library as text, one record a line, so that tests compare whole
// libraries and a difference shows where it is. Floats are shown bit-exact.
std::string dumpLibrary(const ResourceLibrary& library);
