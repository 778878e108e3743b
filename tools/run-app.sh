#!/usr/bin/env bash
# Installs what is needed, builds and starts the release edition.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh build
exec ./build/phasedeck_app "$@"
