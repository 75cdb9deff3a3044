# Cross-compiling for 32-bit Windows with Debian's MinGW-w64 (-posix threads, for
# std::thread and std::mutex). The program ships from this tree.
set(ENNEO_MINGW_TRIPLET i686-w64-mingw32)
set(ENNEO_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
