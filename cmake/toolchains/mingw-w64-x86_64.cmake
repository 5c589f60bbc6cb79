# Cross build for 64-bit Windows with Debian's mingw-w64 compilers (package
# g++-mingw-w64-x86-64). Programs are linked with the C++ and GCC runtimes
# inside them, so that tests run under Wine with no runtime DLLs beside them,
# and CTest runs each test program through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FENNIMAR_MINGW_TRIPLE x86_64-w64-mingw32)
# The -posix flavour carries std::thread and std::mutex; the -win32 one lacks them.
find_program(CMAKE_CXX_COMPILER NAMES ${FENNIMAR_MINGW_TRIPLE}-g++-posix ${FENNIMAR_MINGW_TRIPLE}-g++
             REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${FENNIMAR_MINGW_TRIPLE}-gcc-posix ${FENNIMAR_MINGW_TRIPLE}-gcc
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${FENNIMAR_MINGW_TRIPLE}-windres)

# Only the cross environment's own headers and libraries are searched.
set(CMAKE_FIND_ROOT_PATH /usr/${FENNIMAR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# wine64 (Debian 12 keeps it in /usr/lib/wine), otherwise the wine launcher.
find_program(FENNIMAR_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(FENNIMAR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${FENNIMAR_WINE})
endif()
