// The shape shared by the built-in stream loaders: extension test and open-or-release.
#ifndef DRAVON_DECODERS_STREAM_LOADER_H
#define DRAVON_DECODERS_STREAM_LOADER_H

#include "core/DynArray.h"
#include "core/String.h"
#include "dravon/IAudioStreamLoader.h"
#include "io/IFileManager.h"

#include <initializer_list>

namespace nox {
namespace audio {

//! A loader of `Stream`s, which are built over a file and report through isOpen() whether
//! decoding can start. The extension test is a case-sensitive search for any of the given
//! substrings anywhere in the name.
template <typename Stream> class StreamLoader : public IAudioStreamLoader {
public:
    StreamLoader(IFileManager* fileManager, std::initializer_list<const char*> extensions)
        : fileManager_(fileManager) {
        if (fileManager_)
            fileManager_->incRef();
        for (const char* extension : extensions)
            extensions_.push_back(extension);
    }
    ~StreamLoader() override {
        if (fileManager_)
            fileManager_->decRef();
    }

    bool isALoadableFileExtension(const char* fileName) override {
        CharString name(fileName);
        for (const CharString& extension : extensions_)
            if (name.find(extension.c_str()) >= 0)
                return true;
        return false;
    }

    IAudioStream* createAudioStream(IInputFile* file) override {
        if (!file)
            return nullptr;
        Stream* stream = new Stream(file);
        if (stream->isOpen())
            return stream;
        stream->decRef();
        return nullptr;
    }

private:
    IFileManager* fileManager_;
    DynArray<CharString> extensions_;
};

} // namespace audio
} // namespace nox

#endif
