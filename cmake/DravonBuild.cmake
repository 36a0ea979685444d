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

# An object library of the library's own sources: hidden symbols, position independent.
function(dravon_add_part target)
  add_library(${target} OBJECT ${ARGN})
  target_link_libraries(${target} PUBLIC dravon_headers)
  target_compile_definitions(${target} PRIVATE DRAVON_BUILDING_LIBRARY)
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
