# Compiler settings shared by every target of the project.

function(dravon_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(DRAVON_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(DRAVON_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${DRAVON_SANITIZE} -fno-omit-frame-pointer
                                             -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${DRAVON_SANITIZE})
  endif()
endfunction()

# dravon_add_layer(<target> <folder> [SOURCES <source>...] [USES <layer>...]): one layer of the
# library (see docs/architecture.md): an object library of the sources of <folder> (an interface
# library when it has none) with hidden symbols, position independent. It sees only the public
# headers, its own folder and the layers it USES, which must lie below it, and shows its users the
# same. Includes are written from the repository root ("platform/system/Mutex.h"), so the layer's
# include directory is a directory of the build tree that holds one symbolic link to <folder> at
# the same relative path: an include of a folder that is not among its layers finds nothing.
function(dravon_add_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 LAYER "" "" "SOURCES;USES")
  set(root "${PROJECT_BINARY_DIR}/layers/${target}")
  get_filename_component(parent "${root}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" RESULT linked SYMBOLIC)
  if(NOT linked STREQUAL "0")
    # A host without symbolic links sees the whole tree: the layering test still finds upward
    # includes there, the compiler no longer does.
    message(WARNING "${target} sees the whole source tree (${linked})")
    set(root "${PROJECT_SOURCE_DIR}")
  endif()
  if(NOT LAYER_SOURCES)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${root}")
    target_link_libraries(${target} INTERFACE dravon_headers ${LAYER_USES})
    return()
  endif()
  add_library(${target} OBJECT ${LAYER_SOURCES})
  target_include_directories(${target} PUBLIC "${root}")
  target_link_libraries(${target} PUBLIC dravon_headers ${LAYER_USES})
  target_compile_definitions(${target} PRIVATE DRAVON_BUILDING_LIBRARY)
  # The library never throws: throw, try and catch do not compile in it (docs/architecture.md,
  # "Allocation").
  target_compile_options(${target} PRIVATE -fno-exceptions)
  set_target_properties(${target} PROPERTIES
    POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  dravon_target_defaults(${target})
endfunction()

# Exports from a shared library only the symbols that `map_file` names.
# On Windows the functions marked DRAVON_API (dllexport) are the exports, the ones the map names;
# nothing of the statically linked libraries is exported.
function(dravon_limit_exports target map_file)
  if(WIN32)
    target_link_options(${target} PRIVATE "-Wl,--exclude-libs,ALL" "-Wl,--exclude-all-symbols")
  else()
    target_link_options(${target} PRIVATE "-Wl,--version-script=${map_file}" "-Wl,--exclude-libs,ALL")
  endif()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${map_file}")
endfunction()
