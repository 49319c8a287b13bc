# Cross-builds for 64-bit Windows with Debian's MinGW-w64
# (g++-mingw-w64-x86-64-posix: the posix thread model gives std::thread).
# The core, its tests and the command line need nothing else:
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DRUVIVUVAZ_BUILD_SHELL=OFF
# The window needs Qt built for Windows (scripts/build-qt-windows); name it with
# CMAKE_PREFIX_PATH, and Debian's own Qt of the same version supplies moc, rcc
# and uic:
#   cmake ... -DCMAKE_PREFIX_PATH=$HOME/.cache/dirararezuvero/qt6-mingw64
# The programs load the MinGW runtime and Qt as DLLs, which the build copies
# beside them into bin/ (cmake/windows-runtime.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RUVIVUVAZ_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RUVIVUVAZ_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RUVIVUVAZ_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RUVIVUVAZ_MINGW_TRIPLET}-windres)

# Packages are looked for only among the Windows libraries: MinGW's own and
# those named by CMAKE_PREFIX_PATH.
set(CMAKE_FIND_ROOT_PATH /usr/${RUVIVUVAZ_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "The host Qt whose tools the Windows Qt uses")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake
      CACHE PATH "The CMake packages of the host Qt")
endif()

# ctest runs the Windows programs through Wine where it is installed.
find_program(RUVIVUVAZ_WINE NAMES wine64 wine)
if(RUVIVUVAZ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RUVIVUVAZ_WINE})
endif()
