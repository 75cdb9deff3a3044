#!/bin/bash
# The test command: sets up what is missing, builds both trees and runs every test.
#   build/host      the native compiler: the portable code, its tests and tools
#   build/sanitize  clang with AddressSanitizer and UndefinedBehaviorSanitizer: the
#                   portable tests again, and each fuzzer for a short while
#   build/windows   MinGW-w64 i686: the shipped program; its tests run under Wine
# build/windows is built whole, tests included, on every machine. On a machine whose
# kernel cannot run 32-bit programs (no IA-32 emulation) Wine cannot run it, and the
# same tests run from build/windows64 (x86_64) instead; ENNEO_WINE_64=1 chooses that
# tree on any machine. Each step says how long it took. Exits non-zero when anything fails.
set -uo pipefail
cd "$(dirname "$0")/.."

failed=()
jobs=$(nproc)

# step WHAT COMMAND...: runs the command and says how long it took; WHAT is listed as
# failed when the command fails, and the step fails too.
step() {
    local what=$1 started=$SECONDS status
    shift
    "$@"
    status=$?
    echo "test: $what: $((SECONDS - started)) s"
    [ "$status" -eq 0 ] || failed+=("$what")
    return "$status"
}

step setup bash scripts/setup.sh || { echo "test: setup failed"; exit 2; }
source scripts/build-common.sh
# Each tree built here must build without a single compiler warning.
ENNEO_WARNINGS_AS_ERRORS=ON

# run_tests TREE [CTEST ARGUMENTS...]
run_tests() { (cd "$1" && shift && ctest -j "$jobs" --output-on-failure "$@"); }

step "host build" enneo_build build/host && step "host tests" run_tests build/host

# The differential test of the whole puzzle collections takes minutes under the
# sanitizers and adds nothing the host tree's run and the fuzzers do not check.
CC=clang CXX=clang++ step "sanitizer build" enneo_build build/sanitize -DENNEO_SANITIZE=ON &&
    step "sanitizer tests" run_tests build/sanitize -E SolverCollectionTest

# The shipped 32-bit tree is built whole, tests included, on every machine, so that a
# compile error anywhere in it fails here whether or not its tests can run.
build_windows() { enneo_build build/windows --toolchain cmake/mingw-w64-i686.cmake -DENNEO_ASSERTIONS=ON; }
windows_build=  # the process that builds build/windows beside the Windows tests
enneo_choose_wine_tree
if [ "$wine_tree" = build/windows ]; then
    step "windows build" build_windows
else
    echo "test: the Windows tests run from $wine_tree (x86_64, under 64-bit Wine);" \
        "build/windows is built beside them, at the lowest priority"
    step "windows64 build" enneo_build "$wine_tree" --toolchain "$wine_toolchain" -DENNEO_ASSERTIONS=ON
    # No test runs from build/windows here. The Windows tests mostly wait for Wine and
    # leave about half the processor idle: the build takes that time, and only that.
    mkdir -p build
    (
        renice -n 19 "$BASHPID" >/dev/null
        step "windows build" build_windows
    ) >build/windows-build.log 2>&1 &
    windows_build=$!
fi

# Now and then Wine fails to start a test program at all (it ends at once, before the
# program's first line of output): a Windows test that fails runs once more, and fails
# only when it fails again. Both runs stay in the output.
step "wine prefix" bash scripts/wine-prefix.sh "$PWD/$wine_tree/wineprefix" "$arch" "$loader" &&
    step "windows tests" run_tests "$wine_tree" --repeat until-pass:2
WINEPREFIX="$PWD/$wine_tree/wineprefix" wineserver -k 2>/dev/null
if [ -n "$windows_build" ]; then
    wait "$windows_build" || failed+=("windows build")
    cat build/windows-build.log
fi

if [ ${#failed[@]} -gt 0 ]; then
    printf 'test: FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "test: all tests passed in $SECONDS s"
