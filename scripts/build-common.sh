# Shared by the test and run commands (sourced, not run): configuring and building a
# tree, and choosing the Windows tree that Wine can run on this machine.

# enneo_build TREE [CMAKE ARGUMENTS...]: configures TREE (Ninja, Release) and builds it;
# with ENNEO_BUILD_TARGET set, only those targets (separated by blanks). A compiler
# warning fails the build when ENNEO_WARNINGS_AS_ERRORS is ON, and only then: the value
# is set at every configuration, so a tree the test command built does not pass it on.
enneo_build() {
    local tree=$1
    shift
    cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_COMPILE_WARNING_AS_ERROR="${ENNEO_WARNINGS_AS_ERRORS:-OFF}" "$@" >/dev/null &&
        cmake --build "$tree" -j "$(nproc)" ${ENNEO_BUILD_TARGET:+--target $ENNEO_BUILD_TARGET}
}

# enneo_choose_wine_tree: sets wine_tree, wine_toolchain, arch and loader. The shipped
# 32-bit tree where this machine runs 32-bit programs; otherwise (a kernel without IA-32
# emulation), or with ENNEO_WINE_64=1 (to test as such a machine would), the x86_64 tree
# under 64-bit Wine.
enneo_choose_wine_tree() {
    if [ "${ENNEO_WINE_64:-0}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        wine_tree=build/windows wine_toolchain=cmake/mingw-w64-i686.cmake
        arch=win32 loader=/usr/lib/wine/wine
    else
        wine_tree=build/windows64 wine_toolchain=cmake/mingw-w64-x86_64.cmake
        arch=win64 loader=/usr/lib/wine/wine64
    fi
}
