// Directory services of the operating system: current directory, listing, creation, paths.
#ifndef DRAVON_PLATFORM_SYSTEM_FILE_SYSTEM_H
#define DRAVON_PLATFORM_SYSTEM_FILE_SYSTEM_H

#include "core/DynArray.h"
#include "core/String.h"
#include "dravon/Types.h"

namespace nox {
namespace audio {

//! One item of a directory as the system reports it.
struct PlatformDirectoryItem {
    CharString name;
    u32 size = 0;
    bool isDirectory = false;
};

//! The parts of a path: drive ("C:" or empty), directory (with its trailing separator), base
//! name and extension (with its dot).
struct SplitPath {
    CharString drive;
    CharString directory;
    CharString name;
    CharString extension;
};

//! Writes the current directory into `buffer` (always zero-terminated). False when it does not
//! fit or cannot be read; the buffer then holds an empty text.
bool getCurrentDirectory(char* buffer, u32 size);

//! Changes the process's current directory.
bool changeCurrentDirectory(const char* path);

enum E_MAKE_DIRECTORY_RESULT {
    MAKE_DIRECTORY_CREATED,
    MAKE_DIRECTORY_EXISTS,
    MAKE_DIRECTORY_FAILED
};

//! Creates one directory.
E_MAKE_DIRECTORY_RESULT makeDirectory(const char* path);

//! Appends every item of the current directory, "." and ".." included, in the system's order.
void listCurrentDirectory(DynArray<PlatformDirectoryItem>& items);

//! Writes the full path of the running program into `buffer` (zero-terminated, possibly cut).
//! False when it cannot be found.
bool getExecutablePath(char* buffer, u32 size);

//! Splits `path` the way the system's own path splitting does.
SplitPath splitPath(const char* path);

} // namespace audio
} // namespace nox

#endif
