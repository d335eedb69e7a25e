# Cross build of the 32-bit Windows programs with MinGW-w64: the build the
# host loads, since the host and its libraries are 32-bit.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LDG_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
