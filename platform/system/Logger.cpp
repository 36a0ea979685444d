#include "Logger.h"

#include "DebugOutput.h"
#include "core/String.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace nox {
namespace audio {

namespace {

std::atomic<bool> debugOutputOn{false};

// The process-wide logger. The lock covers only taking and dropping the pointer, so that an
// engine being destroyed on one thread never frees the logger under a line of another thread.
std::mutex processLoggerLock;
ILogger* processLogger = nullptr;

void writeStandardOutput(const char* text, std::size_t length) {
    std::fwrite(text, 1, length, stdout);
    std::fflush(stdout);
}

} // namespace

void debugPrint(const char* text, bool newline) {
    if (!text)
        text = "";
    if (!newline) {
        if (debugOutputOn)
            writeDebuggerOutput(text);
        writeStandardOutput(text, std::strlen(text));
        return;
    }
    CharString line(text);
    line.append('\n');
    if (debugOutputOn)
        writeDebuggerOutput(line.c_str());
    writeStandardOutput(line.c_str(), line.size());
}

void enableDebugOutput() {
    debugOutputOn = true;
}

void Logger::log(const char* text, s32 level, bool newline) {
    if (level < threshold_)
        return;
    debugPrint(text, newline);
}

void Logger::log(const char* text, const char* hint, s32 level, bool newline) {
    if (level < threshold_)
        return;
    CharString line(text);
    line.append(": ");
    line.append(hint);
    log(line.c_str(), level, newline);
}

void Logger::log(const wchar_t* text, s32 level, bool newline) {
    if (level < threshold_)
        return;
    CharString narrow;
    narrow.assignConverted(text);
    log(narrow.c_str(), level, newline);
}

void Logger::log(const wchar_t* text, const wchar_t* hint, s32 level, bool newline) {
    if (level < threshold_)
        return;
    CharString narrowText, narrowHint;
    narrowText.assignConverted(text);
    narrowHint.assignConverted(hint);
    log(narrowText.c_str(), narrowHint.c_str(), level, newline);
}

void logText(const char* text, s32 level, bool newline) {
    std::lock_guard<std::mutex> guard(processLoggerLock);
    if (processLogger)
        processLogger->log(text, level, newline);
}

void logText(const char* text, const char* hint, s32 level, bool newline) {
    std::lock_guard<std::mutex> guard(processLoggerLock);
    if (processLogger)
        processLogger->log(text, hint, level, newline);
}

ILogger* acquireProcessLogger() {
    std::lock_guard<std::mutex> guard(processLoggerLock);
    if (processLogger)
        processLogger->incRef();
    else
        processLogger = new Logger();
    return processLogger;
}

void releaseProcessLogger(ILogger* logger) {
    std::lock_guard<std::mutex> guard(processLoggerLock);
    if (logger->decRef() && logger == processLogger)
        processLogger = nullptr;
}

} // namespace audio
} // namespace nox
