# Cross-compiles for 64-bit Windows with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELORIX_MINGW x86_64-w64-mingw32)
# Debian keeps the 64-bit loader off PATH; with the 32-bit one installed too,
# the wine command would always pick that one.
find_program(VELORIX_WINE wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(VELORIX_WINE wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
