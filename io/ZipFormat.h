// Record signatures of the zip file format.
#ifndef DRAVON_IO_ZIP_FORMAT_H
#define DRAVON_IO_ZIP_FORMAT_H

#include "core/LittleEndian.h"

namespace nox {
namespace audio {

const u32 zipLocalHeaderSignature = 0x04034b50;    // "PK\3\4"
const u32 zipCentralSignature = 0x02014b50;        // "PK\1\2"
const u32 zipEndSignature = 0x06054b50;            // "PK\5\6"
const u32 zipDataDescriptorSignature = 0x08074b50; // "PK\7\8"
//! Header id of the extra field that holds 64-bit sizes.
const u16 zip64ExtraId = 0x0001;
//! General purpose flag: the sizes follow the data in a data descriptor.
const u16 zipFlagDataDescriptor = 0x0008;

} // namespace audio
} // namespace nox

#endif
