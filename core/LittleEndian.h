// Little-endian fields of file formats (zip, RIFF, tracker modules, byte-order marks).
#ifndef DRAVON_CORE_LITTLE_ENDIAN_H
#define DRAVON_CORE_LITTLE_ENDIAN_H

#include "dravon/Types.h"

namespace nox {
namespace audio {

inline u16 readU16(const u8* at) {
    return static_cast<u16>(at[0] | (at[1] << 8));
}

inline u32 readU32(const u8* at) {
    return static_cast<u32>(at[0]) | (static_cast<u32>(at[1]) << 8) |
           (static_cast<u32>(at[2]) << 16) | (static_cast<u32>(at[3]) << 24);
}

} // namespace audio
} // namespace nox

#endif
