// An input file over another that records how it is moved.
#ifndef DRAVON_TESTS_RECORDING_INPUT_FILE_H
#define DRAVON_TESTS_RECORDING_INPUT_FILE_H

#include "dravon/IInputFile.h"

#include <vector>

namespace dravon_test {

//! Forwards every operation to `inner` (referenced) and notes each position that an absolute
//! seek asked for.
class RecordingInputFile : public nox::audio::IInputFile {
public:
    explicit RecordingInputFile(nox::audio::IInputFile* inner) : inner_(inner) { inner_->incRef(); }
    ~RecordingInputFile() override { inner_->decRef(); }

    nox::audio::s32 read(void* buffer, nox::audio::u32 size) override {
        return inner_->read(buffer, size);
    }
    bool seek(nox::audio::s32 position, bool relative) override {
        if (!relative)
            absoluteSeeks.push_back(position);
        return inner_->seek(position, relative);
    }
    nox::audio::s32 getSize() override { return inner_->getSize(); }
    nox::audio::s32 getPos() override { return inner_->getPos(); }
    const char* getFileName() override { return inner_->getFileName(); }

    std::vector<nox::audio::s32> absoluteSeeks;

private:
    nox::audio::IInputFile* inner_;
};

} // namespace dravon_test

#endif
