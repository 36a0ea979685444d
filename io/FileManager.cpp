#include "FileManager.h"

#include "DirectoryListing.h"
#include "DiskInputFile.h"
#include "DiskOutputFile.h"
#include "platform/system/FileSystem.h"
#include "xml/AttributeSet.h"
#include "xml/XmlReader.h"
#include "xml/XmlWriter.h"

#include <cstdio>

namespace nox {
namespace audio {

FileManager::FileManager() : lock_(createMutex()) {}

FileManager::~FileManager() {
    for (ZipArchiveReader* archive : zipArchives_)
        archive->decRef();
    for (IFileProvider* provider : providers_)
        provider->decRef();
    lock_->decRef();
}

IInputFile* FileManager::openFile(const char* fileName) {
    if (IInputFile* file = openFromArchivesOrProviders(fileName))
        return file;
    return createDiskInputFile(fileName);
}

IInputFile* FileManager::openFromArchivesOrProviders(const char* fileName) {
    // Providers are the application's code, written for one caller at a time: they are asked
    // under the lock too.
    MutexGuard guard(lock_);
    for (ZipArchiveReader* archive : zipArchives_)
        if (IInputFile* file = archive->openFile(fileName))
            return file;
    for (IFileProvider* provider : providers_)
        if (IInputFile* file = provider->openFile(fileName))
            return file;
    return nullptr;
}

IOutputFile* FileManager::openOutputFile(const char* fileName, bool append) {
    return createDiskOutputFile(fileName, append);
}

bool FileManager::addZipArchive(const char* fileName, bool ignoreCase, bool ignorePaths) {
    // Archives come from the disk only, never from other archives or providers.
    IInputFile* file = createDiskInputFile(fileName);
    if (!file)
        return false;
    // The scan reads the whole index: only the finished reader is added under the lock.
    ZipArchiveReader* archive = new ZipArchiveReader(file, ignoreCase, ignorePaths);
    file->decRef();
    MutexGuard guard(lock_);
    zipArchives_.push_back(archive);
    return true;
}

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

bool FileManager::changeWorkingDirectory(const char* path) {
    return changeCurrentDirectory(path);
}

bool FileManager::createDirectory(const char* path) {
    return makeDirectory(path) != MAKE_DIRECTORY_FAILED;
}

IDirectoryListing* FileManager::createDirectoryListing() {
    return new DirectoryListing();
}

bool FileManager::fileExists(const char* fileName) {
    if (isInArchives(fileName))
        return true;
    std::FILE* stream = fileName ? std::fopen(fileName, "rb") : nullptr;
    if (!stream)
        return false;
    std::fclose(stream);
    return true;
}

bool FileManager::isInArchives(const char* fileName) {
    MutexGuard guard(lock_);
    for (ZipArchiveReader* archive : zipArchives_)
        if (archive->findEntry(fileName) >= 0)
            return true;
    return false;
}

namespace {

//! Opens a file with `open`, makes the object of `create` over it and lets the file
//! go; null when the file does not open.
template <typename Made, typename File, typename Open>
Made* overOpenedFile(Open open, Made* (*create)(File*)) {
    File* file = open();
    if (!file)
        return nullptr;
    Made* made = create(file);
    file->decRef();
    return made;
}

} // namespace

IXmlReader16* FileManager::createXmlReader(IInputFile* file) {
    return createXmlReader16(file);
}

IXmlReader16* FileManager::createXmlReader(const char* fileName) {
    return overOpenedFile([&] { return openFile(fileName); }, createXmlReader16);
}

IXmlReader8* FileManager::createXmlReaderUtf8(IInputFile* file) {
    return createXmlReader8(file);
}

IXmlReader8* FileManager::createXmlReaderUtf8(const char* fileName) {
    return overOpenedFile([&] { return openFile(fileName); }, createXmlReader8);
}

IXmlWriter* FileManager::createXmlWriter(IOutputFile* file) {
    return nox::audio::createXmlWriter(file);
}

IXmlWriter* FileManager::createXmlWriter(const char* fileName) {
    return overOpenedFile([&] { return openOutputFile(fileName, false); },
                          &nox::audio::createXmlWriter);
}

IAttributeSet* FileManager::createAttributeSet(void* context) {
    return nox::audio::createAttributeSet(context);
}

void FileManager::addFileProvider(IFileProvider* provider) {
    if (!provider)
        return;
    provider->incRef();
    MutexGuard guard(lock_);
    providers_.push_back(provider);
}

IFileManager* createFileManager() {
    return new FileManager();
}

} // namespace audio
} // namespace nox
