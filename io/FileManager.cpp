#include "FileManager.h"

#include "DirectoryListing.h"
#include "DiskInputFile.h"
#include "DiskOutputFile.h"
#include "platform/FileSystem.h"

#include <cstdio>

namespace nox {
namespace audio {

FileManager::~FileManager() {
    for (IFileProvider* provider : providers_)
        provider->decRef();
}

IInputFile* FileManager::openFile(const char* fileName) {
    for (IFileProvider* provider : providers_)
        if (IInputFile* file = provider->openFile(fileName))
            return file;
    return createDiskInputFile(fileName);
}

IOutputFile* FileManager::openOutputFile(const char* fileName, bool append) {
    return createDiskOutputFile(fileName, append);
}

bool FileManager::addZipArchive(const char*, bool, bool) { return false; }

CharString FileManager::getFileDirectory(const char* fileName) {
    SplitPath parts = splitPath(fileName);
    return parts.drive.append(parts.directory);
}

CharString FileManager::getFileBaseName(const char* fileName) {
    SplitPath parts = splitPath(fileName);
    return parts.name.append(parts.extension);
}

const char* FileManager::getWorkingDirectory() {
    getCurrentDirectory(workingDirectory_, sizeof workingDirectory_);
    return workingDirectory_;
}

bool FileManager::changeWorkingDirectory(const char* path) { return changeCurrentDirectory(path); }

bool FileManager::createDirectory(const char* path) {
    return makeDirectory(path) != MAKE_DIRECTORY_FAILED;
}

IDirectoryListing* FileManager::createDirectoryListing() { return new DirectoryListing(); }

bool FileManager::fileExists(const char* fileName) {
    std::FILE* stream = fileName ? std::fopen(fileName, "rb") : nullptr;
    if (!stream)
        return false;
    std::fclose(stream);
    return true;
}

IXmlReader16* FileManager::createXmlReader(IInputFile*) { return nullptr; }
IXmlReader16* FileManager::createXmlReader(const char*) { return nullptr; }
IXmlReader8* FileManager::createXmlReaderUtf8(IInputFile*) { return nullptr; }
IXmlReader8* FileManager::createXmlReaderUtf8(const char*) { return nullptr; }
IXmlWriter* FileManager::createXmlWriter(IOutputFile*) { return nullptr; }
IXmlWriter* FileManager::createXmlWriter(const char*) { return nullptr; }
IAttributeSet* FileManager::createAttributeSet(void*) { return nullptr; }

void FileManager::addFileProvider(IFileProvider* provider) {
    if (!provider)
        return;
    provider->incRef();
    providers_.push_back(provider);
}

IFileManager* createFileManager() { return new FileManager(); }

} // namespace audio
} // namespace nox
