# Cross-compiling for 64-bit Windows with mingw-w64 on Linux:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The -posix compilers are the ones whose C++ runtime has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DRAVON_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DRAVON_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DRAVON_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${DRAVON_MINGW_PREFIX}-windres)

# Headers and libraries come from the mingw-w64 tree and from DRAVON_WINDOWS_DEPS, where
# scripts/build-windows-deps.sh installs the cross-built dependencies; programs from the host.
set(DRAVON_WINDOWS_DEPS "" CACHE PATH "Prefix of the cross-built libogg, libvorbis, DUMB, GoogleTest")
set(CMAKE_FIND_ROOT_PATH /usr/${DRAVON_MINGW_PREFIX} ${DRAVON_WINDOWS_DEPS})
if(DRAVON_WINDOWS_DEPS)
  list(APPEND CMAKE_PREFIX_PATH ${DRAVON_WINDOWS_DEPS})
  # Their headers are system headers, as /usr/include is on Linux (and /mingw64/include on MSYS2).
  set(CMAKE_C_STANDARD_INCLUDE_DIRECTORIES ${DRAVON_WINDOWS_DEPS}/include)
  set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${DRAVON_WINDOWS_DEPS}/include)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Everything links statically (C and C++ runtimes, winpthread), so that programs and the DLL
# need only the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
