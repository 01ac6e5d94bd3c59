# What both Windows toolchains share; each architecture's file names its
# compilers and its Wine loader, then includes this one. The posix thread
# model is used because GoogleTest needs std::thread; the program and its
# tests are built with the same variant.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${VELORIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELORIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER  ${VELORIX_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELORIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under the Wine loader of this architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELORIX_WINE})
