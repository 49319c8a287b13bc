#!/usr/bin/env bash
# scripts/test --sanitize: the whole suite built with the address and
# undefined-behaviour sanitizers, in its own build folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# Set before building: test discovery runs the test executables.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
# The programs run on a real display load system libraries whose own leaks are
# not the program's.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$ROOT/scripts/lib/lsan-suppressions.txt:print_suppressions=0}"
export QT_QPA_PLATFORM=offscreen

install_missing_packages
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
configure_and_build RelWithDebInfo -DRUVIVUVAZ_BUILD_TESTS=ON -DRUVIVUVAZ_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags"
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 600 -j "$(nproc)"
