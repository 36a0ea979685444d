// The C runtime's directory services and the system's directory enumeration.
#include "FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <direct.h>
#include <windows.h>

namespace nox {
namespace audio {

bool getCurrentDirectory(char* buffer, u32 size) {
    if (size == 0)
        return false;
    if (_getcwd(buffer, static_cast<int>(size)) != nullptr)
        return true;
    buffer[0] = 0;
    return false;
}

bool changeCurrentDirectory(const char* path) {
    return path && _chdir(path) == 0;
}

E_MAKE_DIRECTORY_RESULT makeDirectory(const char* path) {
    if (!path)
        return MAKE_DIRECTORY_FAILED;
    if (_mkdir(path) == 0)
        return MAKE_DIRECTORY_CREATED;
    return errno == EEXIST ? MAKE_DIRECTORY_EXISTS : MAKE_DIRECTORY_FAILED;
}

void listCurrentDirectory(DynArray<PlatformDirectoryItem>& items) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        PlatformDirectoryItem item;
        item.name = found.cFileName;
        item.size = found.nFileSizeLow;
        item.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        items.push_back(item);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool getExecutablePath(char* buffer, u32 size) {
    if (size == 0)
        return false;
    DWORD length = GetModuleFileNameA(nullptr, buffer, size);
    // A cut path is still zero-terminated from Windows Vista on; make sure of it everywhere.
    buffer[length < size ? length : size - 1] = 0;
    return length > 0;
}

SplitPath splitPath(const char* path) {
    char drive[_MAX_DRIVE], directory[_MAX_DIR], name[_MAX_FNAME], extension[_MAX_EXT];
    SplitPath parts;
    if (!path || _splitpath_s(path, drive, sizeof(drive), directory, sizeof(directory), name,
                              sizeof(name), extension, sizeof(extension)) != 0)
        return parts;
    parts.drive = drive;
    parts.directory = directory;
    parts.name = name;
    parts.extension = extension;
    return parts;
}

} // namespace audio
} // namespace nox
