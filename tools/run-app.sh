#!/usr/bin/env bash
# Installs what is needed, builds the release edition (and only what it needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh build --target phasedeck_app
exec ./build/phasedeck_app "$@"
