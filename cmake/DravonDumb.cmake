# DUMB 0.9.3 with our patches, built by scripts/build-dumb.sh, as the imported target Dumb::dumb.
# It is looked for in DRAVON_DUMB_ROOT: by default the cache that script fills for this machine,
# or DRAVON_WINDOWS_DEPS when cross-compiling for Windows. Sanitizer builds with thread take the
# archive built with ThreadSanitizer, so that races inside DUMB are reported too.
if(CMAKE_CROSSCOMPILING)
  set(dravon_dumb_default "${DRAVON_WINDOWS_DEPS}")
elseif(DEFINED ENV{DRAVON_DEPS})
  set(dravon_dumb_default "$ENV{DRAVON_DEPS}/${CMAKE_HOST_SYSTEM_NAME}-${CMAKE_HOST_SYSTEM_PROCESSOR}")
else()
  set(dravon_dumb_default
      "$ENV{HOME}/.cache/dravon-deps/${CMAKE_HOST_SYSTEM_NAME}-${CMAKE_HOST_SYSTEM_PROCESSOR}")
endif()
set(DRAVON_DUMB_ROOT "${dravon_dumb_default}" CACHE PATH
    "Prefix of DUMB 0.9.3 as scripts/build-dumb.sh builds it")

set(dravon_dumb_name dumb)
if(DRAVON_SANITIZE MATCHES "thread")
  set(dravon_dumb_name dumb-tsan)
endif()
find_path(DRAVON_DUMB_INCLUDE_DIR dumb.h PATHS "${DRAVON_DUMB_ROOT}/include"
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_library(DRAVON_DUMB_LIBRARY ${dravon_dumb_name} PATHS "${DRAVON_DUMB_ROOT}/lib"
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT DRAVON_DUMB_INCLUDE_DIR OR NOT DRAVON_DUMB_LIBRARY)
  message(FATAL_ERROR "DUMB 0.9.3 (lib${dravon_dumb_name}.a) not found in ${DRAVON_DUMB_ROOT}: "
                      "run scripts/build-dumb.sh (scripts/install-deps.sh does)")
endif()

add_library(Dumb::dumb STATIC IMPORTED)
set_target_properties(Dumb::dumb PROPERTIES
  IMPORTED_LOCATION "${DRAVON_DUMB_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${DRAVON_DUMB_INCLUDE_DIR}"
  INTERFACE_LINK_LIBRARIES m)
