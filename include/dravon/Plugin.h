// The entry point of a plug-in library, which adds sound formats to every engine that loads it.
#ifndef DRAVON_PLUGIN_H
#define DRAVON_PLUGIN_H

#include "Export.h"
#include "ISoundEngine.h"

//! Implemented and exported by a plug-in library; the engine calls it, never an application.
//!
//! An engine created with ENGINE_OPT_LOAD_PLUGINS looks, during its construction, in the
//! directory of the program and then in the current working directory for files whose names
//! are longer than 7 characters and, with A to Z lower-cased, start with "dvp" and contain
//! ".dll" (dvpmp3.dll, for instance; the rule is the same on every system, so on Linux the
//! shared object is named like that too). It loads each name once, under its lower-cased
//! spelling, finds this function by its decorated C++ name and calls it with the engine and the
//! library's version ("0.8.1"), on the thread that creates the engine. Libraries stay loaded
//! until the process ends; every later engine that loads plug-ins calls the function again.
//!
//! `engine` is borrowed: it is valid while the engine lives, and a plug-in keeps no reference to
//! it. A plug-in typically creates its IAudioStreamLoader, passes it to
//! engine->registerAudioStreamLoader() (which takes its own reference) and releases its own:
//!
//!     void DRAVON_STDCALL dravonPluginInit(nox::audio::ISoundEngine* engine, const char*) {
//!         nox::audio::IAudioStreamLoader* loader = new MyLoader;
//!         engine->registerAudioStreamLoader(loader);
//!         loader->decRef();
//!     }
//!
//! Loaders of plug-ins are asked before the built-in ones. Build the plug-in as a shared library
//! against these headers only (it needs no link to the Dravon library: every call goes through
//! the interfaces' virtual functions), declare the function exactly as below, outside any
//! namespace, and name the file dvp<something>.dll. docs/plugins.md walks through an example.
DRAVON_PLUGIN_API void DRAVON_STDCALL dravonPluginInit(nox::audio::ISoundEngine* engine,
                                                       const char* version);

#endif
