// Example: mount a zip archive of sounds and play one of them.
//
//   play_from_zip sounds.zip explosion.wav
//
// The archive's entries must be stored (zip -0); the name is found in any mix of case and
// whatever directory the archive keeps it in.
#include <dravon/dravon.h>

#include <chrono>
#include <cstdio>
#include <thread>

using namespace nox::audio;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ARCHIVE.zip SOUND\n", argv[0]);
        return 2;
    }
    ISoundEngine* engine = createDravonDevice(OUTPUT_DRIVER_AUTO_DETECT, 0);
    if (!engine) // no sound device: the null driver still opens and decodes
        engine = createDravonDevice(OUTPUT_DRIVER_NULL, 0);
    if (!engine)
        return 1;

    if (!addDravonZipArchive(engine, argv[1], true, true)) {
        std::fprintf(stderr, "%s does not open\n", argv[1]);
        engine->decRef();
        return 1;
    }
    ISoundSource* source = engine->getSoundSource(argv[2]);
    int length = source->getPlayLength();
    if (length < 0) {
        std::fprintf(stderr, "%s is not a playable sound of the archive\n", argv[2]);
        engine->decRef();
        return 1;
    }
    std::printf("%s: %d ms\n", argv[2], length);

    // Track the sound to wait for its end; without this engine's own thread, update() drives it.
    IPlayingSound* sound = engine->play2D(source, false, false, true);
    while (sound && !sound->isFinished()) {
        engine->update();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (sound)
        sound->decRef();
    engine->decRef();
    return 0;
}
