#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test twice: in the normal build and in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer; then runs each libFuzzer target
# briefly in a clang build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan-thirdparty.supp:print_suppressions=0
bash tools/build.sh build
ctest --test-dir build --output-on-failure -j"$(nproc)"
bash tools/build.sh build-asan -DPHASEDECK_SANITIZE=ON
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DPHASEDECK_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzzers -j"$(nproc)"
ctest --test-dir build-fuzz --output-on-failure -j"$(nproc)"
