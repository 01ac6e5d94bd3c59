# Cross-compiles for 32-bit Windows with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELORIX_MINGW i686-w64-mingw32)
# Debian's wine command picks the 32-bit loader.
set(VELORIX_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
