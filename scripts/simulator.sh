#!/usr/bin/env bash
# The device in a browser: installs Corvane and the simulated system into a device root (a scratch
# one unless given), runs the Simulator on it and leaves it running until Ctrl-C. Open the address
# it prints. Extra arguments go to the Simulator (for example --listen 127.0.0.1:8080).
set -euo pipefail
cd "$(dirname "$0")/.."
root=""
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then root=$1; shift; fi
if [ ! -x build/bin/Simulator ]; then
  bash scripts/install-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default -j "$(nproc)"
fi
scratch=""
if [ -z "$root" ]; then
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/corvane-device-XXXXXX")
  root=$scratch
  trap 'rm -rf "$scratch"' EXIT
fi
cmake --install build --component device --prefix "$root" >/dev/null
cmake --install build --component system --prefix "$root" >/dev/null
echo "Device root: $root (Ctrl-C ends the device)"
# Ending this script ends the device too, whichever way it is asked to end.
build/bin/Simulator --root "$root" "$@" &
simulator=$!
trap 'kill -TERM "$simulator" 2>/dev/null || true' TERM INT HUP
status=0
wait "$simulator" || status=$?
# A signal cut the first wait short: wait for the Simulator to finish ending the device.
wait "$simulator" 2>/dev/null || true
exit "$status"
