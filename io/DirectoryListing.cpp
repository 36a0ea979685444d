#include "DirectoryListing.h"

#include "platform/system/FileSystem.h"

namespace nox {
namespace audio {

namespace {
// The longest directory path a listing records.
const u32 listingPathSize = 260;
} // namespace

DirectoryListing::DirectoryListing() {
    char buffer[listingPathSize];
    getCurrentDirectory(buffer, listingPathSize);
    path_ = buffer;
    DynArray<PlatformDirectoryItem> items;
    listCurrentDirectory(items);
    for (s32 i = 0; i < items.size(); ++i) {
        DirectoryEntry entry;
        entry.name = items[i].name;
        entry.size = items[i].size;
        entry.isDirectory = items[i].isDirectory;
        entries_.push_back(entry);
    }
}

const char* DirectoryListing::getFileName(s32 index) {
    return isValid(index) ? entries_[index].name.c_str() : nullptr;
}

const char* DirectoryListing::getFullFileName(s32 index) {
    if (!isValid(index))
        return nullptr;
    DirectoryEntry& entry = entries_[index];
    if (entry.fullName.size() < entry.name.size()) {
        entry.fullName = path_;
        // A drive root such as "C:\" already ends in a separator.
        if (path_.size() > 3)
            entry.fullName.append('/');
        entry.fullName.append(entry.name);
    }
    return entry.fullName.c_str();
}

bool DirectoryListing::isDirectory(s32 index) {
    return isValid(index) && entries_[index].isDirectory;
}

} // namespace audio
} // namespace nox
