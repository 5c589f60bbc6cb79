# CLI11 and nlohmann/json, the command's two header-only dependencies, as the
# targets CLI11::CLI11 and nlohmann_json::nlohmann_json.
#
# On Linux they are Debian's packages, found as usual. A cross build for
# Windows must not search the build machine's /usr/include (its C library
# headers would shadow the target's), so the headers of just these two
# packages are copied at configure time into a folder of their own in the
# build tree, and that folder is the one added.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(CLI11 CONFIG REQUIRED)
  find_package(nlohmann_json REQUIRED)
  return()
endif()

set(FENNIMAR_STAGED_INCLUDE ${PROJECT_BINARY_DIR}/staged-include)

# Copies the folder `name` (e.g. "CLI") from the build machine's include
# folder, where `header` (e.g. "CLI/CLI.hpp") shows the package installed.
function(fennimar_stage_headers package name header)
  find_path(FENNIMAR_${package}_INCLUDE ${header} PATHS /usr/include
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT FENNIMAR_${package}_INCLUDE)
    message(FATAL_ERROR "${header} not found: install Debian's ${package}")
  endif()
  file(REMOVE_RECURSE ${FENNIMAR_STAGED_INCLUDE}/${name})
  file(COPY ${FENNIMAR_${package}_INCLUDE}/${name} DESTINATION ${FENNIMAR_STAGED_INCLUDE})
endfunction()

fennimar_stage_headers(libcli11-dev CLI CLI/CLI.hpp)
fennimar_stage_headers(nlohmann-json3-dev nlohmann nlohmann/json.hpp)

# SYSTEM: their warnings are not ours.
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${FENNIMAR_STAGED_INCLUDE})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE
                           ${FENNIMAR_STAGED_INCLUDE})
