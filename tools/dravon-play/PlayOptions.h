// The command line of dravon-play.
#ifndef DRAVON_TOOLS_PLAY_OPTIONS_H
#define DRAVON_TOOLS_PLAY_OPTIONS_H

#include "dravon/dravon.h"

#include <string>
#include <vector>

struct PlayOptions {
    //! An E_SOUND_OUTPUT_DRIVER value, or any other number for the library to refuse; kept as
    //! an int because the enumeration cannot hold every number.
    int driver = nox::audio::OUTPUT_DRIVER_AUTO_DETECT;
    //! Empty: the default output.
    std::string output;
    bool listOutputs = false;
    bool loop = false;
    float volume = 1.0f;
    float pan = 0.0f;
    //! When set, the files play in 3D at `position` (the listener is at the origin, looking
    //! along +z).
    bool is3D = false;
    nox::audio::Vector3 position;
    //! Zip archives to mount before playing, in this order.
    std::vector<std::string> archives;
    std::vector<std::string> files;
};

//! Parses the arguments into `options`. Returns false, with a message in `error`, when they are
//! not usable; an empty `error` with false means help was asked for.
bool parsePlayOptions(int argc, char** argv, PlayOptions& options, std::string& error);

//! The usage text.
const char* playUsage();

#endif
