// Symbol visibility of the few functions that the Dravon library and its plug-ins export.
#ifndef DRAVON_EXPORT_H
#define DRAVON_EXPORT_H

#if defined(_WIN32)
#if defined(DRAVON_BUILDING_LIBRARY)
#define DRAVON_API __declspec(dllexport)
#elif defined(DRAVON_LINKED_STATICALLY)
// Programs linked with the library's objects themselves (its tests, its tools).
#define DRAVON_API
#else
#define DRAVON_API __declspec(dllimport)
#endif
#define DRAVON_STDCALL __stdcall
#else
#define DRAVON_API __attribute__((visibility("default")))
#define DRAVON_STDCALL
#endif

// Exports a plug-in's entry point from the plug-in library (see Plugin.h).
#if defined(_WIN32)
#define DRAVON_PLUGIN_API __declspec(dllexport)
#else
#define DRAVON_PLUGIN_API __attribute__((visibility("default")))
#endif

#endif
