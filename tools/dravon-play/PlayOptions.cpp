#include "PlayOptions.h"

#include <cstdlib>
#include <cstring>

namespace {

// A driver by name, or by its number (any number is passed on; the library judges it).
bool parseDriver(const char* text, int& driver) {
    static const char* const names[] = {"auto", "directsound", "winmm", "alsa", "null"};
    for (int value = 0; value < 5; ++value) {
        if (std::strcmp(text, names[value]) == 0) {
            driver = value;
            return true;
        }
    }
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < 0 || value > 1000)
        return false;
    driver = static_cast<int>(value);
    return true;
}

bool parseFloat(const char* text, float& value) {
    char* end = nullptr;
    value = std::strtof(text, &end);
    return *text && !*end;
}

bool parsePosition(const char* text, nox::audio::Vector3& position) {
    char* end = nullptr;
    float* axes[] = {&position.x, &position.y, &position.z};
    for (int i = 0; i < 3; ++i) {
        *axes[i] = std::strtof(text, &end);
        if (end == text || *end != (i < 2 ? ',' : '\0'))
            return false;
        text = end + 1;
    }
    return true;
}

// Parses the value of option `name` at argv[i + 1]; false with `error` set when it is missing
// or does not parse.
template <typename Parse, typename Value>
bool takeValue(int argc, char** argv, int& i, const char* expected, Parse parse, Value& value,
               std::string& error) {
    const std::string name = argv[i];
    if (i + 1 >= argc || !parse(argv[i + 1], value)) {
        error = name + " needs " + expected;
        return false;
    }
    ++i;
    return true;
}

bool takeText(const char* text, std::string& value) {
    value = text;
    return true;
}

} // namespace

const char* playUsage() {
    return "usage: dravon-play [options] FILE...\n"
           "       dravon-play --list-outputs\n"
           "Plays sound files one after the other and reports what it does. MP3 files play when\n"
           "the plug-in dvpmp3.dll lies beside the program or in the working directory.\n"
           "  --driver D      auto (0, the default), directsound (1), winmm (2), alsa (3),\n"
           "                  null (4), or any other number\n"
           "  --output NAME   where the winmm driver plays: an ALSA device name (see\n"
           "                  --list-outputs) or wav:PATH to record into a WAVE file; without\n"
           "                  it the default output, or wav:dravon-play.wav when there is none\n"
           "  --list-outputs  list the outputs the system offers and exit\n"
           "  --loop          play each file looped until interrupted\n"
           "  --volume V      volume, 1 = unchanged (default 1)\n"
           "  --pan P         pan from -1 (right) to 1 (left) (default 0)\n"
           "  --position X,Y,Z  play in 3D at this position; the listener is at 0,0,0 looking\n"
           "                  along +Z\n"
           "  --zip ARCHIVE   mount a zip archive (stored entries; names in any case, without\n"
           "                  their directory); may be given more than once\n"
           "  --help          show this text\n";
}

bool parsePlayOptions(int argc, char** argv, PlayOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool ok = true;
        if (argument == "--help" || argument == "-h") {
            error.clear();
            return false;
        } else if (argument == "--loop") {
            options.loop = true;
        } else if (argument == "--list-outputs") {
            options.listOutputs = true;
        } else if (argument == "--driver") {
            ok = takeValue(argc, argv, i, "auto, directsound, winmm, alsa, null or a number",
                           parseDriver, options.driver, error);
        } else if (argument == "--output") {
            ok = takeValue(argc, argv, i, "an output name", takeText, options.output, error);
        } else if (argument == "--volume") {
            ok = takeValue(argc, argv, i, "a number", parseFloat, options.volume, error);
        } else if (argument == "--pan") {
            ok = takeValue(argc, argv, i, "a number", parseFloat, options.pan, error);
        } else if (argument == "--position") {
            ok = takeValue(argc, argv, i, "X,Y,Z", parsePosition, options.position, error);
            options.is3D = true;
        } else if (argument == "--zip") {
            std::string archive;
            ok = takeValue(argc, argv, i, "an archive", takeText, archive, error);
            options.archives.push_back(archive);
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument;
            return false;
        } else {
            options.files.push_back(argument);
        }
        if (!ok)
            return false;
    }
    if (options.files.empty() && !options.listOutputs) {
        error = "no sound file given";
        return false;
    }
    return true;
}
