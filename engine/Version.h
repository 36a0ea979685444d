// The library's own version text.
#ifndef DRAVON_ENGINE_VERSION_H
#define DRAVON_ENGINE_VERSION_H

namespace nox {
namespace audio {

//! Checked against the application's headers, logged at start-up and handed to plug-ins.
constexpr const char* libraryVersion = "0.8.1";

} // namespace audio
} // namespace nox

#endif
