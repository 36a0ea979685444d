// Creates an engine on the null driver through the installed library and plays one sound.
#include <dravon/dravon.h>

#include <cstdio>

int main(int argc, char** argv) {
    nox::audio::ISoundEngine* engine =
        nox::audio::createDravonDevice(nox::audio::OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    if (!engine)
        return 1;
    int length = argc > 1 ? engine->getSoundSource(argv[1])->getPlayLength() : 0;
    std::printf("length %d ms\n", length);
    engine->decRef();
    return length >= 0 ? 0 : 1;
}
