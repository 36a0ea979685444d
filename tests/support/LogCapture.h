// Captures what the library writes to standard output (and standard error).
#ifndef DRAVON_TESTS_LOG_CAPTURE_H
#define DRAVON_TESTS_LOG_CAPTURE_H

#include <string>
#include <vector>

namespace dravon_test {

//! Captures standard output from construction until take(); lines are split at '\n'.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    //! Everything written so far, ending the capture.
    std::string take();
    //! The captured text split into lines (without their line ends), ending the capture.
    std::vector<std::string> takeLines();

private:
    bool active_ = true;
};

//! Captures standard error the same way.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    std::string take();

private:
    bool active_ = true;
};

//! Splits text at '\n'; a final line end yields no empty last line.
std::vector<std::string> splitLines(const std::string& text);

} // namespace dravon_test

#endif
