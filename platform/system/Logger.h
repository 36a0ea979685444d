// The process-wide logger: every message of the library goes through it.
#ifndef DRAVON_PLATFORM_SYSTEM_LOGGER_H
#define DRAVON_PLATFORM_SYSTEM_LOGGER_H

#include "dravon/RefCounted.h"
#include "dravon/Types.h"

namespace nox {
namespace audio {

//! Level of a log line; lines below the logger's threshold are discarded.
enum E_LOG_LEVEL { LOG_LEVEL_INFO = 0, LOG_LEVEL_WARNING = 1, LOG_LEVEL_ERROR = 2 };

//! Writes lines of text to standard output and, when switched on, to the debugger output.
//! Texts with a hint are written as "text: hint". The logger takes no lock; each line is one
//! write, so lines of two threads stay whole.
class ILogger : public virtual RefCounted {
public:
    virtual s32 getLogLevel() = 0;
    virtual void setLogLevel(s32 level) = 0;
    //! Wide text; each unit keeps its low 8 bits.
    virtual void log(const wchar_t* text, s32 level, bool newline) = 0;
    virtual void log(const wchar_t* text, const wchar_t* hint, s32 level, bool newline) = 0;
    virtual void log(const char* text, const char* hint, s32 level, bool newline) = 0;
    virtual void log(const char* text, s32 level, bool newline) = 0;
};

//! The logger, with a threshold of 0 at creation so that every line is written.
class Logger : public ILogger {
public:
    s32 getLogLevel() override { return threshold_; }
    void setLogLevel(s32 level) override { threshold_ = level; }
    void log(const wchar_t* text, s32 level, bool newline) override;
    void log(const wchar_t* text, const wchar_t* hint, s32 level, bool newline) override;
    void log(const char* text, const char* hint, s32 level, bool newline) override;
    void log(const char* text, s32 level, bool newline) override;

private:
    s32 threshold_ = 0;
};

//! Writes through the current logger, or nothing when there is none.
void logText(const char* text, s32 level, bool newline = true);
//! Writes "text: hint" through the current logger, or nothing when there is none.
void logText(const char* text, const char* hint, s32 level, bool newline = true);

//! Writes `text` (and a line end) to standard output and, when debug output is on, to the
//! debugger output, without a logger or level test. The text is never a format.
void debugPrint(const char* text, bool newline = true);

//! Switches the debugger output on for the rest of the process.
void enableDebugOutput();

//! Takes a reference to the process-wide logger, creating it when there is none. The caller
//! releases it with releaseProcessLogger().
ILogger* acquireProcessLogger();

//! Releases a reference taken with acquireProcessLogger(); the last one destroys the logger, and
//! logText() writes nothing until the next acquireProcessLogger().
void releaseProcessLogger(ILogger* logger);

} // namespace audio
} // namespace nox

#endif
