// The per-engine file manager: every byte of sound data is read through it.
#ifndef DRAVON_IO_I_FILE_MANAGER_H
#define DRAVON_IO_I_FILE_MANAGER_H

#include "IDirectoryListing.h"
#include "core/IOutputFile.h"
#include "core/String.h"
#include "dravon/IFileProvider.h"
#include "dravon/IInputFile.h"
#include "dravon/RefCounted.h"

namespace nox {
namespace audio {

// The XML and attribute interfaces live in xml/, a layer below; declared ahead here so that the
// users of the file manager need not see them.
template <typename C> class IXmlReader;
typedef IXmlReader<char16_t> IXmlReader16;
typedef IXmlReader<char> IXmlReader8;
class IXmlWriter;
class IAttributeSet;

//! Opens files from mounted zip archives, then from the application's providers, then from the
//! disk; and offers directory, XML and attribute services. Every returned object is new, with
//! one reference that belongs to the caller.
class IFileManager : public virtual RefCounted {
public:
    ~IFileManager() override = default;

    //! Opens `fileName`: archives first, in mounting order, then providers in the order added,
    //! then the disk. Null when no one has it.
    virtual IInputFile* openFile(const char* fileName) = 0;
    //! Opens a disk file for writing (appending when `append`); null when it does not open.
    virtual IOutputFile* openOutputFile(const char* fileName, bool append) = 0;
    //! Mounts the zip archive `fileName` from the disk; false when it does not open.
    virtual bool addZipArchive(const char* fileName, bool ignoreCase, bool ignorePaths) = 0;
    //! Drive and directory of `fileName`, the directory with its trailing separator.
    virtual CharString getFileDirectory(const char* fileName) = 0;
    //! Name and extension of `fileName`, without drive or directory.
    virtual CharString getFileBaseName(const char* fileName) = 0;
    //! The current directory, in a buffer of the manager that the next call overwrites.
    virtual const char* getWorkingDirectory() = 0;
    //! Changes the process's current directory.
    virtual bool changeWorkingDirectory(const char* path) = 0;
    //! Creates one directory; true also when it exists already.
    virtual bool createDirectory(const char* path) = 0;
    //! Lists the current directory.
    virtual IDirectoryListing* createDirectoryListing() = 0;
    //! True when a mounted archive has the name or the disk file opens; providers are not asked.
    virtual bool fileExists(const char* fileName) = 0;
    //! XML reader with 16-bit characters over `file`; null for a null file.
    virtual IXmlReader16* createXmlReader(IInputFile* file) = 0;
    //! XML reader with 16-bit characters over the file `fileName`.
    virtual IXmlReader16* createXmlReader(const char* fileName) = 0;
    //! XML reader with 8-bit characters over `file`; null for a null file.
    virtual IXmlReader8* createXmlReaderUtf8(IInputFile* file) = 0;
    //! XML reader with 8-bit characters over the file `fileName`.
    virtual IXmlReader8* createXmlReaderUtf8(const char* fileName) = 0;
    //! XML writer over `file`.
    virtual IXmlWriter* createXmlWriter(IOutputFile* file) = 0;
    //! XML writer over a new disk file `fileName`.
    virtual IXmlWriter* createXmlWriter(const char* fileName) = 0;
    //! An empty attribute set; `context` is handed to it unchanged.
    virtual IAttributeSet* createAttributeSet(void* context) = 0;
    //! Adds a provider (referenced); null is ignored.
    virtual void addFileProvider(IFileProvider* provider) = 0;
};

//! A new file manager with no archive and no provider.
IFileManager* createFileManager();

} // namespace audio
} // namespace nox

#endif
