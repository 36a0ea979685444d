// Numbers read from text: the float parser of XML attribute values and attribute sets.
#ifndef DRAVON_XML_NUMBER_TEXT_H
#define DRAVON_XML_NUMBER_TEXT_H

#include "dravon/Types.h"

namespace nox {
namespace audio {

//! Reads a decimal integer the way the C runtime's strtol reads it in base 10 (leading white
//! space, an optional sign, digits), saturating at the 64-bit range. Returns the position after
//! it, or `text` itself when there are no digits (the value is then 0).
const char* parseLong(const char* text, s64& value);

//! Reads "-"? integer ("." fraction ("e" exponent)?)? and returns the position after it. The
//! fraction is scaled by a table of powers of ten; past 15 fraction characters only the first
//! 15 count, since later digits are below a float's precision. The exponent is read only after
//! a fraction.
const char* parseFloat(const char* text, f32& value);

//! The integer of a text as the runtime's ASCII-to-integer conversion reads it, saturating at
//! the 32-bit range.
s32 parseInt(const char* text);

//! `value` truncated toward zero, saturating at the 32-bit range; NaN gives 0.
s32 truncateToS32(f32 value);

} // namespace audio
} // namespace nox

#endif
