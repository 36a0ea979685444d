#include "SharedFile.h"

#include <windows.h>

namespace nox {
namespace audio {

namespace {

const u32 largestRead = 0x7FFFFFFF;

HANDLE systemHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

bool SharedFile::openHandle(const char* fileName, Handle& handle, FileIdentity& identity) {
    // The sharing of the C runtime's fopen: other programs may still read and write the file.
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) {
        CloseHandle(file);
        return false;
    }
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<u64>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    handle = reinterpret_cast<Handle>(file);
    return true;
}

void SharedFile::closeHandle(Handle handle) {
    CloseHandle(systemHandle(handle));
}

s32 SharedFile::readAt(void* buffer, u32 size, s64 offset) const {
    if (offset < 0)
        return 0;
    if (size > largestRead)
        size = largestRead;
    u8* bytes = static_cast<u8*>(buffer);
    u32 done = 0;
    // The offset travels with each read, so the handle's own file pointer does not matter.
    while (done < size) {
        u64 at = static_cast<u64>(offset) + done;
        OVERLAPPED where = {};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD got = 0;
        if (!ReadFile(systemHandle(handle_), bytes + done, size - done, &got, &where) || got == 0)
            break;
        done += got;
    }
    return static_cast<s32>(done);
}

s64 SharedFile::getSize() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(systemHandle(handle_), &size))
        return -1;
    return static_cast<s64>(size.QuadPart);
}

} // namespace audio
} // namespace nox
