#!/usr/bin/env bash
# Builds everything, installs Corvane into a scratch device root and shows what it does to the Phone
# app: the dialer's report without a preference file, then with a sample one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

root=$(mktemp -d "${TMPDIR:-/tmp}/corvane-demo-XXXXXX")
trap 'rm -rf "$root"' EXIT
cmake --install build --component device --prefix "$root" >/dev/null
cmake --install build --component system --prefix "$root" >/dev/null
echo "Device root: $root"

echo
echo "== The Phone app with Corvane and no preference file"
build/bin/MobilePhone --root "$root" --report

echo
echo "== With a sample preference file (hide the Voicemail tab, blue status bar text, red call button)"
build/bin/plistwrite "$root/var/mobile/Library/Preferences/com.qelmor.corvane.plist" \
  kVoice=bool:true fgc=int:2 enabled=bool:true call=int:13
build/bin/MobilePhone --root "$root" --report
