#pragma once

#include <functional>

// Runs the tests of a program that drives widgets: a QApplication on the offscreen platform
// unless another is asked for, with the resource data that loadResources loads.
int runQtTests(int argc, char** argv, const std::function<bool()>& loadResources);
