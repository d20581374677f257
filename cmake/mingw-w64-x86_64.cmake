# Cross-building for 64-bit Windows on Debian with MinGW-w64 (g++-mingw-w64-x86-64-posix):
#   cmake --preset windows   (or -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
# The -posix compilers give std::thread and std::mutex through winpthreads. Every program is
# linked -static: libgcc, libstdc++ and libwinpthread-1.dll are all inside the .exe, which
# then needs nothing beside it but Windows' own DLLs (msvcrt.dll among them: Debian's
# MinGW-w64 targets msvcrt, not the UCRT). -static-libgcc -static-libstdc++ alone would
# still import libwinpthread-1.dll.
# Tests and other built programs run under Wine (CMAKE_CROSSCOMPILING_EMULATOR), so ctest in
# this build runs the Windows executables on Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUARVEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUARVEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUARVEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUARVEL_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${QUARVEL_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${QUARVEL_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW-w64 tree only, never from Linux's /usr;
# programs run during the build (moc, gzip ...) are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${QUARVEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian's wine runs 64-bit programs with wine64 when wine32 is not installed (it never is
# here: nothing we build is 32-bit).
find_program(QUARVEL_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUARVEL_WINE})
