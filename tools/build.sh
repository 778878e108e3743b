#!/usr/bin/env bash
# Configures and builds one tree: tools/build.sh DIR [--target NAME] [cmake options...]
# A tree that exists is configured again only when options are given or its last configuration
# did not finish (the build itself re-runs cmake when a list file changed); --target builds that
# target and what it needs, nothing else.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
target=()
if [ "${1-}" = "--target" ]; then
  target=(--target "$2"); shift 2
fi
if [ $# -gt 0 ] || [ ! -f "$dir/CMakeCache.txt" ] || [ ! -f "$dir/Makefile" ]; then
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)" "${target[@]}"
