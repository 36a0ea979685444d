// The sound outputs a system offers, to choose one for createDravonDeviceOnOutput().
#ifndef DRAVON_I_OUTPUT_DEVICE_LIST_H
#define DRAVON_I_OUTPUT_DEVICE_LIST_H

#include "RefCounted.h"

namespace nox {
namespace audio {

//! A snapshot of the outputs, taken when the list was created. Release it with decRef().
class IOutputDeviceList : public virtual RefCounted {
public:
    //! Number of outputs; 0 when the system offers none.
    virtual int getDeviceCount() = 0;
    //! The name to pass as `outputName`, or null when `index` is out of range. The text belongs
    //! to the list and lives as long as it.
    virtual const char* getDeviceName(int index) = 0;
    //! A readable description of the output, or null when `index` is out of range. Owned by the
    //! list, like the name.
    virtual const char* getDeviceDescription(int index) = 0;
};

} // namespace audio
} // namespace nox

#endif
