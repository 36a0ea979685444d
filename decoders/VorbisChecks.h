// Looks at the codebooks of Ogg Vorbis files after vorbisfile has opened them and before
// libvorbis builds its decoder from them, for the books that libvorbis 1.3.7 cannot take
// safely.
#ifndef DRAVON_DECODERS_VORBIS_CHECKS_H
#define DRAVON_DECODERS_VORBIS_CHECKS_H

#include "dravon/IInputFile.h"

// vorbisfile's header otherwise defines static callback tables over stdio that nothing here uses.
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace nox {
namespace audio {

//! False when a codebook in the setup header of any logical stream of `decoder` (opened by
//! vorbisfile over `file`) is one that libvorbis cannot build or use safely:
//! - its codeword lengths do not make a complete prefix code: libvorbis fails to build it, and
//!   on the next read decodes with the book zeroed, dividing by its dimension of 0 (res2_inverse,
//!   _01inverse);
//! - it maps values and has a dimension of 0: building it never ends (maptype 1), or residue
//!   type 0 divides by it (maptype 2);
//! - it has so many codewords, or codewords times dimension, that libvorbis' tables for it would
//!   overflow the stack or take far more memory than the file could describe.
//! Also false when the headers cannot be read again. The file is left where it was.
bool vorbisCodebooksAreSafe(IInputFile* file, OggVorbis_File* decoder);

} // namespace audio
} // namespace nox

#endif
