#!/usr/bin/env bash
# Builds everything and runs every test, then the same suite under ASan and UBSan, then every fuzz
# target for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
if [ "${CORVANE_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake --preset sanitize
  cmake --build --preset sanitize -j "$jobs"
  ctest --preset sanitize -j "$jobs"
fi
if [ "${CORVANE_SKIP_FUZZ:-0}" != 1 ]; then
  bash scripts/fuzz.sh "${CORVANE_FUZZ_SECONDS:-15}"
fi
