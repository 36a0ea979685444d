# DUMB 0.9.3 as a static library: the core, the helpers (resampler, sample buffers) and the
# readers of MOD, XM, S3M and IT modules. Its own build is interactive; this replaces it.
# scripts/build-dumb.sh copies it into the patched sources as their CMakeLists.txt.
cmake_minimum_required(VERSION 3.20)
project(dumb C)
set(DUMB_OUTPUT_NAME dumb CACHE STRING "Name of the archive (lib<name>.a)")
file(GLOB dumb_sources src/core/*.c src/helpers/*.c src/it/*.c)
add_library(dumb STATIC ${dumb_sources})
set_target_properties(dumb PROPERTIES OUTPUT_NAME ${DUMB_OUTPUT_NAME})
target_include_directories(dumb PRIVATE include)
# The resampler templates are included, not compiled on their own.
target_compile_options(dumb PRIVATE -w)
install(TARGETS dumb ARCHIVE DESTINATION lib)
install(FILES include/dumb.h DESTINATION include)
