// The file manager made for each engine.
#ifndef DRAVON_IO_FILE_MANAGER_H
#define DRAVON_IO_FILE_MANAGER_H

#include "IFileManager.h"
#include "ZipArchiveReader.h"
#include "core/DynArray.h"
#include "platform/system/Mutex.h"

namespace nox {
namespace audio {

//! Opens files from the mounted zip archives, then from the application's providers, then from
//! the disk. Archives and providers are kept until the manager is destroyed. Opening, the
//! existence test and adding archives and providers may be called from several threads at once.
class FileManager : public IFileManager {
public:
    FileManager();
    ~FileManager() override;

    IInputFile* openFile(const char* fileName) override;
    IOutputFile* openOutputFile(const char* fileName, bool append) override;
    bool addZipArchive(const char* fileName, bool ignoreCase, bool ignorePaths) override;
    CharString getFileDirectory(const char* fileName) override;
    CharString getFileBaseName(const char* fileName) override;
    const char* getWorkingDirectory() override;
    bool changeWorkingDirectory(const char* path) override;
    bool createDirectory(const char* path) override;
    IDirectoryListing* createDirectoryListing() override;
    bool fileExists(const char* fileName) override;
    IXmlReader16* createXmlReader(IInputFile* file) override;
    IXmlReader16* createXmlReader(const char* fileName) override;
    IXmlReader8* createXmlReaderUtf8(IInputFile* file) override;
    IXmlReader8* createXmlReaderUtf8(const char* fileName) override;
    IXmlWriter* createXmlWriter(IOutputFile* file) override;
    IXmlWriter* createXmlWriter(const char* fileName) override;
    IAttributeSet* createAttributeSet(void* context) override;
    void addFileProvider(IFileProvider* provider) override;

private:
    IInputFile* openFromArchivesOrProviders(const char* fileName);
    bool isInArchives(const char* fileName);

    DynArray<IFileProvider*> providers_;
    DynArray<ZipArchiveReader*> zipArchives_;
    char workingDirectory_[1024] = {};
    //! Guards both arrays.
    Mutex* lock_;
};

} // namespace audio
} // namespace nox

#endif
