#pragma once

#include <string>
#include <vector>

#include "support/TemporaryFolder.h"

// Points the trace sink at a file for the object's life and hands back the lines
// written meanwhile.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();

    std::vector<std::string> lines() const;
    // The lines without the site that precedes " : ", for comparing what two streams traced.
    std::vector<std::string> texts() const;

private:
    TemporaryFolder folder;
};
