# What both MinGW-w64 toolchains share; ENNEO_MINGW_TRIPLET and ENNEO_ARCH are set
# by the including file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ENNEO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ENNEO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ENNEO_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ENNEO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ENNEO_ARCH, "win32" or "win64", is the one source of the tree's architecture: the
# architecture its programs check in the statements of their updates, the one
# scripts/release.sh reads back from the build, and the Wine prefix's.
set(ENNEO_ARCH ${ENNEO_ARCH} CACHE INTERNAL "The architecture the tree builds for, win32 or win64")
# Test programs run under Wine through a wrapper that knows this tree's Wine prefix.
# The wrapper is written at configure time (see the top-level CMakeLists.txt).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
