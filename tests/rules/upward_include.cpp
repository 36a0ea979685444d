// Built against platform/system by the test LayersUpwardIncludeDoesNotCompile: the engine
// lies above that layer, so this include must not be found.
#include "engine/SoundEngine.h"
