// Files for tests: written into the test's working directory, or found on the system.
#ifndef DRAVON_TESTS_TEST_FILES_H
#define DRAVON_TESTS_TEST_FILES_H

#include "WavBuilder.h"

#include "dravon/IInputFile.h"

#include <string>

namespace dravon_test {

//! Writes `bytes` to `path` (relative to the working directory), replacing it.
void writeFile(const std::string& path, const Bytes& bytes);
//! The whole content of `path`; empty when it does not open.
Bytes readFile(const std::string& path);
//! A memory input file holding a copy of `bytes` (owned by the file) named `name`.
nox::audio::IInputFile* memoryFile(const Bytes& bytes, const char* name);
//! The path of a file that a Debian package installs; fails the test when it is missing.
std::string systemFile(const std::string& path);

} // namespace dravon_test

#endif
