#!/usr/bin/env bash
# Builds the fuzz targets (the fuzz preset: clang, libFuzzer, ASan and UBSan) and runs each in turn.
usage() {
  cat <<'TEXT'
Usage: scripts/fuzz.sh [SECONDS] [TARGET...]

Runs every fuzz target (or those named) for SECONDS each (default 60), starting from its seed corpus
and its regression inputs in fuzz/. Inputs that reach new code are kept in build-fuzz/corpus/TARGET,
so later runs go on from there; the tree's seeds are never changed. A crash, a broken property, a
leak or an input slower than 10 s stops that target, leaves the input in build-fuzz/crashes/TARGET/
and makes the run fail once every target has had its turn. Full logs are in build-fuzz/logs/.

FUZZ_WORK names another folder for the corpora, crashes and logs (two runs at once need their own).
Extra libFuzzer options may be given in FUZZ_ARGS (for example FUZZ_ARGS=-jobs=2).
TEXT
}
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
if [ $# -gt 0 ]; then
  case $1 in
    -h|--help) usage; exit 0 ;;
    *[!0-9]*|'') echo "fuzz.sh: SECONDS must be a whole number, not '$1'" >&2; usage >&2; exit 2 ;;
    *) seconds=$1; shift ;;
  esac
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

out=build-fuzz
work=${FUZZ_WORK:-$out}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$out"/fuzz/fuzz-*; do targets+=("${program##*/fuzz-}"); done
fi

failed=()
for target in "${targets[@]}"; do
  program=$out/fuzz/fuzz-$target
  if [ ! -x "$program" ]; then
    echo "fuzz.sh: no fuzz target '$target'" >&2
    exit 2
  fi
  mkdir -p "$work/corpus/$target" "$work/crashes/$target" "$work/logs"
  inputs=("$work/corpus/$target")
  for seeds in "fuzz/corpus/$target" "fuzz/regressions/$target"; do
    [ -d "$seeds" ] && inputs+=("$seeds")
  done
  log=$work/logs/$target.log
  status=0
  cpu=$work/logs/$target.cpu
  # The CPU seconds (user and system) it had, which on a busy machine may be far less than SECONDS.
  TIMEFORMAT='%U %S'
  # shellcheck disable=SC2086
  { time "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
      -artifact_prefix="$work/crashes/$target/" ${FUZZ_ARGS:-} "${inputs[@]}" >"$log" 2>&1 || status=$?; } 2>"$cpu"
  summary=$(grep -aE '^#[0-9]+[[:space:]]+(DONE|INITED|pulse|NEW|REDUCE)' "$log" | tail -n 1 | awk '{
    for (i = 1; i <= NF; ++i) { if ($i == "cov:") cov = $(i + 1); if ($i == "ft:") ft = $(i + 1) }
    printf "%s runs, cov %s, ft %s", substr($1, 2), cov, ft }' || true)
  summary+=$(awk '{ printf ", %.0f s of CPU", $1 + $2 }' "$cpu")
  if [ $status -eq 0 ]; then
    echo "fuzz $target: ${summary:-no runs}"
  else
    echo "fuzz $target: FAILED after ${summary:-no runs}; input in $work/crashes/$target/, log $log"
    grep -aE 'ERROR: |runtime error|fuzz property broken|SUMMARY' "$log" | head -n 5 | sed 's/^/  /'
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: ${#failed[@]} target(s) failed: ${failed[*]}" >&2
  exit 1
fi
