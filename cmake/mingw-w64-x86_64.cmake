# Cross-builds the core, its tests and the command line for 64-bit Windows with
# Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix: the posix thread model gives
# std::thread). The programs link statically, so Wine runs them without DLLs:
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DRUVIVUVAZ_BUILD_SHELL=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RUVIVUVAZ_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RUVIVUVAZ_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RUVIVUVAZ_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RUVIVUVAZ_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${RUVIVUVAZ_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the Windows programs through Wine where it is installed.
find_program(RUVIVUVAZ_WINE NAMES wine64 wine)
if(RUVIVUVAZ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RUVIVUVAZ_WINE})
endif()
