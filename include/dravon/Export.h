// Symbol visibility of the few functions that the Dravon library exports.
#ifndef DRAVON_EXPORT_H
#define DRAVON_EXPORT_H

#if defined(_WIN32)
#if defined(DRAVON_BUILDING_LIBRARY)
#define DRAVON_API __declspec(dllexport)
#else
#define DRAVON_API __declspec(dllimport)
#endif
#define DRAVON_STDCALL __stdcall
#else
#define DRAVON_API __attribute__((visibility("default")))
#define DRAVON_STDCALL
#endif

#endif
