#include "OutputDeviceList.h"

namespace nox {
namespace audio {

void OutputDeviceList::add(const char* name, const char* description) {
    names_.push_back(CharString(name));
    descriptions_.push_back(CharString(description));
}

const char* OutputDeviceList::textAt(const DynArray<CharString>& texts, int index) {
    return index >= 0 && index < texts.size() ? texts[index].c_str() : nullptr;
}

} // namespace audio
} // namespace nox
