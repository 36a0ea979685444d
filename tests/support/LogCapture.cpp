#include "LogCapture.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace dravon_test {

StdoutCapture::StdoutCapture() {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
}

StdoutCapture::~StdoutCapture() {
    if (active_)
        take();
}

std::string StdoutCapture::take() {
    std::fflush(stdout);
    active_ = false;
    return testing::internal::GetCapturedStdout();
}

std::vector<std::string> StdoutCapture::takeLines() {
    return splitLines(take());
}

StderrCapture::StderrCapture() {
    std::fflush(stderr);
    testing::internal::CaptureStderr();
}

StderrCapture::~StderrCapture() {
    if (active_)
        take();
}

std::string StderrCapture::take() {
    std::fflush(stderr);
    active_ = false;
    return testing::internal::GetCapturedStderr();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace dravon_test
