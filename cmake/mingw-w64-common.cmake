# Shared part of the MinGW-w64 cross toolchains; the including file sets
# LDG_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR. The posix-threads compilers
# give std::thread and std::mutex; the runtime is linked statically (see
# the top-level CMakeLists.txt). Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${LDG_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LDG_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LDG_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LDG_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
