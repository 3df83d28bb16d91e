#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
BUILD_DIR=${VREL_BUILD_DIR:-build}
ctest --test-dir "$BUILD_DIR" --output-on-failure -j2 --timeout 600 "$@"
