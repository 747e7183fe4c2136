#!/usr/bin/env bash
# The end-to-end demo: installs Corvane into a scratch device root, starts the launcher, draws the
# dialer, changes settings through the Settings app (each change really stores the preference file,
# kills the running Phone app and lets the launcher start a new one), draws the dialer again, and
# says what changed. Pictures go to demo-output/.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only what the demo runs: the tests and their packages come with scripts/test.sh.
bash scripts/install-deps.sh demo
cmake --preset demo >/dev/null
cmake --build --preset demo -j "$(nproc)"

root=$(mktemp -d "${TMPDIR:-/tmp}/corvane-demo-XXXXXX")
out="$PWD/demo-output"
mkdir -p "$out"
launcher=""
cleanup() {
  if [ -n "$launcher" ]; then kill -TERM "$launcher" 2>/dev/null || true; wait "$launcher" 2>/dev/null || true; fi
  rm -rf "$root"
}
trap cleanup EXIT
cmake --install build --component device --prefix "$root" >/dev/null
cmake --install build --component system --prefix "$root" >/dev/null
report="$root/var/mobile/Library/MobilePhone/report.json"
events="$root/launcher.log"

# Waits until the launcher has started the Phone app `$1` times and that app has written its report.
await_launch() {
  for _ in $(seq 1 600); do
    if [ "$(grep -c '"launched"' "$events" 2>/dev/null || true)" -ge "$1" ] && [ -s "$report" ]; then
      # A Phone app without the tweak would show the stock dialer, whatever the pane stored.
      grep -q '"loaded":\["Corvane.dylib"\]' "$report" && return 0
      echo "demo: the Phone app did not load Corvane.dylib" >&2
      exit 1
    fi
    sleep 0.05
  done
  echo "demo: the Phone app was not relaunched" >&2
  exit 1
}
# What the original implementation of a hooked message received, or what the app got back.
entry() { grep -o "\"selector\":\"$1\"[^}]*" "$report"; }
received() { entry "$1" | sed -E 's/.*"received":(.*),"returned":.*/\1/'; }
returned() { entry "$1" | sed -E 's/.*"returned":(.*)$/\1/'; }
# Runs a command and stops the demo, showing what it said, when it fails.
checked() {
  local status=0 errors
  errors=$(mktemp)
  "$@" 2>"$errors" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "demo: '$*' failed with status $status:" >&2
    cat "$errors" >&2
    rm -f "$errors"
    exit 1
  fi
  rm -f "$errors"
}
settings() { checked build/bin/Preferences --root "$root" -c "$1"; }
summary() {
  echo "  Voicemail tab shown:   $(returned showsPhoneVoicemail)"
  echo "  status bar (request, background, text): $(received initWithRequest:backgroundColor:foregroundColor:)"
  echo "  call button colour:    $(received setBackgroundColor:)"
}

echo "Device root: $root"
build/bin/SpringBoard --root "$root" >"$events" &
launcher=$!
await_launch 1
checked build/bin/MobilePhone --root "$root" --render "$out/dialer-before.png"
echo
echo "== The Phone app with Corvane, nothing set yet"
summary

launches=1
# Each change stores one value, so its one "killall -9 MobilePhone" ends the running Phone app (a
# status of 0: it found it) and the launcher starts a new one, which the demo waits for.
change() {
  local description=$1 commands=$2 happened
  echo
  echo "== Settings: $description"
  happened=$(settings "$commands")
  grep -E '"event":"(stored|system)"' <<<"$happened"
  if [ "$(grep -c '"command":"killall -9 MobilePhone","status":0' <<<"$happened")" -ne 1 ]; then
    echo "demo: the change did not end the running Phone app exactly once" >&2
    exit 1
  fi
  launches=$((launches + 1))
  await_launch "$launches"
}
change "hide the Voicemail tab" "open Corvane; tap Settings; set Hide Voicemail Tab on"
change "status bar text in blue" "open Corvane; tap Settings; tap Text Colour; tap Blue"
change "the call button in its own colour" "open Corvane; tap Settings; set Custom Colour on"
change "a red call button" "open Corvane; tap Settings; tap Call Button/Background Colour; tap Red"
checked build/bin/MobilePhone --root "$root" --render "$out/dialer-after.png"

echo
echo "== The Phone app after $((launches - 1)) restarts by the pane"
summary
echo
echo "Pictures: $out/dialer-before.png"
echo "          $out/dialer-after.png"
echo
echo "The device in a browser: bash scripts/simulator.sh"
