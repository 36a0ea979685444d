// The entry point of dvpmp3.dll: adds the MP3 loader to the engine.
#include "Mp3AudioStream.h"

#include "dravon/Plugin.h"

void DRAVON_STDCALL dravonPluginInit(nox::audio::ISoundEngine* engine, const char*) {
    // Needed by libmpg123 releases before 1.27; later ones do nothing here.
    mpg123_init();
    nox::audio::IAudioStreamLoader* loader = new dravon_mp3::Mp3StreamLoader;
    engine->registerAudioStreamLoader(loader);
    loader->decRef();
}
