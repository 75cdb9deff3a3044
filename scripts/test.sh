#!/bin/bash
# The test command: sets up what is missing, builds both trees and runs every test.
#   build/host      the native compiler: the portable code, its tests and tools
#   build/sanitize  clang with AddressSanitizer and UndefinedBehaviorSanitizer: the
#                   portable tests again, and each fuzzer for a short while
#   build/windows   MinGW-w64 i686: the shipped program; its tests run under Wine
# build/windows is built whole, tests included, on every machine. On a machine whose
# kernel cannot run 32-bit programs (no IA-32 emulation) Wine cannot run it, and the
# same tests run from build/windows64 (x86_64) instead.
# Exits non-zero when anything fails.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || { echo "test: setup failed"; exit 2; }

source scripts/build-common.sh
# Each tree built here must build without a single compiler warning.
ENNEO_WARNINGS_AS_ERRORS=ON
failed=()
jobs=$(nproc)

if enneo_build build/host; then
    (cd build/host && ctest -j "$jobs" --output-on-failure) || failed+=("host tests")
else
    failed+=("host build")
fi

# The differential test of the whole puzzle collections takes minutes under the
# sanitizers and adds nothing the host tree's run and the fuzzers do not check.
if CC=clang CXX=clang++ enneo_build build/sanitize -DENNEO_SANITIZE=ON; then
    (cd build/sanitize && ctest -j "$jobs" --output-on-failure -E SolverCollectionTest) || failed+=("sanitizer tests")
else
    failed+=("sanitizer build")
fi

# The shipped 32-bit tree is built whole, tests included, on every machine, so that a
# compile error anywhere in it fails here whether or not its tests can run.
enneo_build build/windows --toolchain cmake/mingw-w64-i686.cmake -DENNEO_ASSERTIONS=ON || failed+=("windows build")
enneo_choose_wine_tree
if [ "$wine_tree" != build/windows ]; then
    echo "test: this machine cannot run 32-bit programs; the Windows tests run from $wine_tree"
    enneo_build "$wine_tree" --toolchain "$wine_toolchain" -DENNEO_ASSERTIONS=ON || failed+=("windows64 build")
fi

if bash scripts/wine-prefix.sh "$PWD/$wine_tree/wineprefix" "$arch" "$loader"; then
    (cd "$wine_tree" && ctest -j "$jobs" --output-on-failure) || failed+=("windows tests")
    WINEPREFIX="$PWD/$wine_tree/wineprefix" wineserver -k 2>/dev/null
else
    failed+=("wine prefix")
fi

if [ ${#failed[@]} -gt 0 ]; then
    printf 'test: FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "test: all tests passed"
