#include "FileSystem.h"

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nox {
namespace audio {

bool getCurrentDirectory(char* buffer, u32 size) {
    if (size == 0)
        return false;
    if (getcwd(buffer, size) != nullptr)
        return true;
    buffer[0] = 0;
    return false;
}

bool changeCurrentDirectory(const char* path) {
    return path && chdir(path) == 0;
}

E_MAKE_DIRECTORY_RESULT makeDirectory(const char* path) {
    if (!path)
        return MAKE_DIRECTORY_FAILED;
    if (mkdir(path, 0777) == 0)
        return MAKE_DIRECTORY_CREATED;
    return errno == EEXIST ? MAKE_DIRECTORY_EXISTS : MAKE_DIRECTORY_FAILED;
}

void listCurrentDirectory(DynArray<PlatformDirectoryItem>& items) {
    DIR* directory = opendir(".");
    if (!directory)
        return;
    while (dirent* found = readdir(directory)) {
        PlatformDirectoryItem item;
        item.name = found->d_name;
        struct stat info;
        if (stat(found->d_name, &info) == 0) {
            item.size = static_cast<u32>(info.st_size);
            item.isDirectory = S_ISDIR(info.st_mode);
        }
        items.push_back(item);
    }
    closedir(directory);
}

bool getExecutablePath(char* buffer, u32 size) {
    if (size == 0)
        return false;
    ssize_t length = readlink("/proc/self/exe", buffer, size - 1);
    if (length < 0) {
        buffer[0] = 0;
        return false;
    }
    buffer[length] = 0;
    return true;
}

SplitPath splitPath(const char* path) {
    // POSIX paths have no drive, and only '/' separates directories.
    SplitPath parts;
    CharString whole(path);
    s32 slash = whole.findLast('/');
    parts.directory = whole.subString(0, slash + 1);
    CharString file = whole.subString(slash + 1, whole.size());
    s32 dot = file.findLast('.');
    if (dot < 0) {
        parts.name = file;
    } else {
        parts.name = file.subString(0, dot);
        parts.extension = file.subString(dot, file.size());
    }
    return parts;
}

} // namespace audio
} // namespace nox
