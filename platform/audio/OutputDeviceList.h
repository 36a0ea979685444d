// A list of named outputs with descriptions.
#ifndef DRAVON_PLATFORM_AUDIO_OUTPUT_DEVICE_LIST_H
#define DRAVON_PLATFORM_AUDIO_OUTPUT_DEVICE_LIST_H

#include "core/DynArray.h"
#include "core/String.h"
#include "dravon/IOutputDeviceList.h"

namespace nox {
namespace audio {

//! The outputs added to it, in the order added.
class OutputDeviceList : public IOutputDeviceList {
public:
    void add(const char* name, const char* description);

    int getDeviceCount() override { return names_.size(); }
    const char* getDeviceName(int index) override { return textAt(names_, index); }
    const char* getDeviceDescription(int index) override { return textAt(descriptions_, index); }

private:
    static const char* textAt(const DynArray<CharString>& texts, int index);

    DynArray<CharString> names_;
    DynArray<CharString> descriptions_;
};

} // namespace audio
} // namespace nox

#endif
