#include "support/TraceCapture.h"

#include <sstream>

#include "persistence/trace.h"

TraceCapture::TraceCapture() {
    traceOpenSink(folder.file("trace.log").c_str());
}

TraceCapture::~TraceCapture() {
    traceOpenSink(nullptr);
}

std::vector<std::string> TraceCapture::lines() const {
    std::istringstream in(readFileBytes(folder.file("trace.log")));
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

std::vector<std::string> TraceCapture::texts() const {
    std::vector<std::string> result = lines();
    for (std::string& line : result) {
        line.erase(0, line.find(" : ") + 3);
    }
    return result;
}
