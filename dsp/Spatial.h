// The vector math of 3D computed in software: distances, roll-off, and the direction of a sound
// as a listener hears it.
#ifndef DRAVON_DSP_SPATIAL_H
#define DRAVON_DSP_SPATIAL_H

#include "dravon/Vector3.h"

namespace nox {
namespace audio {

//! The clockwise angle of (x, y) in degrees, in [0, 360), from the positive first axis.
double angleOf(float x, float y);

//! `v` scaled to length 1; a zero vector stays zero.
Vector3 normalized(Vector3 v);

//! The distance from `a` to `b`.
float distanceBetween(Vector3 a, Vector3 b);

//! `volume` for a sound `distance` away: unchanged inside `minDistance`, 0 beyond
//! `maxDistance`, and between them scaled by the roll-off and limited to 1. The roll-off is
//! linear from the minimum to the maximum distance, or `minDistance` divided by the distance
//! beyond the minimum.
float attenuateByDistance(float volume, float distance, float minDistance, float maxDistance,
                          bool linearRolloff);

//! The pan of a sound at `sound` for a listener at `listener` looking along `look` with `up` as
//! its up vector, in [-1, 1): 0 straight ahead, -0.5 to the right, 0.5 to the left, -1 behind.
//! Both directions are projected onto the plane across the up vector's dominant axis.
float panFromListener(Vector3 listener, Vector3 look, Vector3 up, Vector3 sound);

} // namespace audio
} // namespace nox

#endif
