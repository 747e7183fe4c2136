#!/usr/bin/env bash
# Runs every example of the README's hands-on section, verbatim and in order, as one script from a
# fresh folder whose `build` is the build tree: what a newcomer pastes must work as written, and
# nothing it makes lands in the source tree.
set -euo pipefail
readme=$1 build=$(cd "$2" && pwd)
work=$(mktemp -d)
script=$work/examples.sh
cleanup() {
  # The examples start a launcher in the background; it and its Phone app end with the test.
  pkill -TERM -f -- "--root $work/" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
awk '/^## /{inside = ($0 ~ /^## Hands on/)} inside && /^```sh/{code = 1; next} /^```/{code = 0} code' "$readme" >"$script"
blocks=$(awk '/^## /{inside = ($0 ~ /^## Hands on/)} inside && /^```sh/' "$readme" | wc -l)
if [ "$blocks" -lt 4 ]; then
  echo "readme_examples: found $blocks examples in the hands-on section" >&2
  exit 1
fi
ln -s "$build" "$work/build"
cd "$work"
export TMPDIR=$work  # the examples' own mktemp -d lands here, and goes with it
if bash -euo pipefail "$script" >"$work/out.log" 2>&1; then
  echo "readme_examples: the $blocks examples ran as written"
else
  cat "$work/out.log"
  echo "readme_examples: an example failed (its output is above)"
  exit 1
fi
