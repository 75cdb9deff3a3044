# Cross-compiling for 64-bit Windows with Debian's MinGW-w64: the same program, for
# running the tests under 64-bit Wine where 32-bit programs cannot run (a kernel
# without IA-32 emulation).
set(ENNEO_MINGW_TRIPLET x86_64-w64-mingw32)
set(ENNEO_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
