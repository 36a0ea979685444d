#include "PlayOptions.h"

#include <cstring>

namespace {

bool parseDriver(const std::string& name, nox::audio::E_SOUND_OUTPUT_DRIVER& driver) {
    struct Named {
        const char* name;
        nox::audio::E_SOUND_OUTPUT_DRIVER driver;
    };
    static const Named drivers[] = {{"auto", nox::audio::OUTPUT_DRIVER_AUTO_DETECT},
                                    {"directsound", nox::audio::OUTPUT_DRIVER_DIRECTSOUND},
                                    {"winmm", nox::audio::OUTPUT_DRIVER_WINMM},
                                    {"null", nox::audio::OUTPUT_DRIVER_NULL}};
    for (const Named& entry : drivers) {
        if (name == entry.name) {
            driver = entry.driver;
            return true;
        }
    }
    return false;
}

} // namespace

const char* playUsage() {
    return "usage: dravon-play [options] FILE...\n"
           "Plays sound files one after the other and reports what it does.\n"
           "  --driver NAME   auto, directsound, winmm or null (default: null)\n"
           "  --loop          play each file looped until interrupted\n"
           "  --zip ARCHIVE   mount a zip archive (stored entries; names in any case, without\n"
           "                  their directory); may be given more than once\n"
           "  --help          show this text\n";
}

bool parsePlayOptions(int argc, char** argv, PlayOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            error.clear();
            return false;
        }
        if (argument == "--loop") {
            options.loop = true;
        } else if (argument == "--driver") {
            if (i + 1 >= argc || !parseDriver(argv[++i], options.driver)) {
                error = "--driver needs one of auto, directsound, winmm, null";
                return false;
            }
        } else if (argument == "--zip") {
            if (i + 1 >= argc) {
                error = "--zip needs an archive";
                return false;
            }
            options.archives.push_back(argv[++i]);
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument;
            return false;
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.files.empty()) {
        error = "no sound file given";
        return false;
    }
    return true;
}
