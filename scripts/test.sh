#!/usr/bin/env bash
# Builds everything and runs every test, then the same suite under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
if [ "${CORVANE_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake --preset sanitize
  cmake --build --preset sanitize -j "$jobs"
  ctest --preset sanitize -j "$jobs"
fi
