#!/usr/bin/env bash
# The device in a browser: installs Corvane and the simulated system into a device root (a scratch
# one unless given), runs the Simulator on it and leaves it running until Ctrl-C. Open the address
# it prints. Extra arguments go to the Simulator (for example --listen 127.0.0.1:8080).
set -euo pipefail
usage="usage: scripts/simulator.sh [ROOT] [--mail ADDRESS] [SIMULATOR OPTIONS...]"
help() {
  cat <<TEXT
$usage
Runs a device in the browser on ROOT (a scratch device root unless given) until Ctrl-C.
  --mail ADDRESS   give the device a mail account (var/mobile/Library/Mail/Accounts.plist), so the
                   pane's Support row opens a mail composer; without one Support opens nothing
  --help           show this help
Other options go to the Simulator: --listen ADDR:PORT (default 127.0.0.1:0, a free port).
TEXT
}
cd "$(dirname "$0")/.."
root=""
mail=""
passed=()
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then root=$1; shift; fi
while [ $# -gt 0 ]; do
  case "$1" in
    --help) help; exit 0 ;;
    --mail=*) mail=${1#--mail=}; shift ;;
    --mail)
      if [ $# -lt 2 ]; then echo "simulator.sh: --mail needs an ADDRESS" >&2; echo "$usage" >&2; exit 2; fi
      mail=$2; shift 2 ;;
    *) passed+=("$1"); shift ;;
  esac
done
if [ -n "$mail" ] && [[ ! "$mail" =~ ^[^@[:space:]]+@[^@[:space:]]+$ ]]; then
  echo "simulator.sh: '$mail' is no mail address (as in me@example.com)" >&2; echo "$usage" >&2; exit 2
fi
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
if [ -n "$mail" ]; then
  # A mail account, as the device's Mail keeps it: an Accounts array of addresses.
  accounts="$root/var/mobile/Library/Mail/Accounts.plist"
  mkdir -p "$(dirname "$accounts")"
  rm -f "$accounts"
  build/bin/plutil -create xml1 "$accounts" >/dev/null
  build/bin/plutil -insert Accounts -array "$accounts" >/dev/null
  build/bin/plutil -insert Accounts.0 -string "$mail" "$accounts" >/dev/null
  echo "Mail account: $mail"
fi
echo "Device root: $root (Ctrl-C ends the device)"
# Ending this script ends the device too, whichever way it is asked to end.
build/bin/Simulator --root "$root" ${passed[@]+"${passed[@]}"} &
simulator=$!
trap 'kill -TERM "$simulator" 2>/dev/null || true' TERM INT HUP
status=0
wait "$simulator" || status=$?
# A signal cut the first wait short: wait for the Simulator to finish ending the device.
wait "$simulator" 2>/dev/null || true
exit "$status"
